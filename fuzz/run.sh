#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer)
# and runs the reader target for SECONDS (default 60) on a copy of the seed corpus.
# FUZZ_RUNS and FUZZ_SEED make a run repeatable (a fixed number of inputs from a fixed
# seed), as CI uses it.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
scripts/install-deps.sh clang libclang-rt-14-dev
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTOPAZ_BUILD_TESTS=OFF -DTOPAZ_BUILD_FUZZ=ON \
    -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" -DCMAKE_SHARED_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build build-fuzz --target fuzz_reader
work=$(mktemp -d)
cp fuzz/corpus_reader/* "$work"/
limits=(-max_total_time="$seconds")
[ -n "${FUZZ_RUNS:-}" ] && limits=(-runs="$FUZZ_RUNS" -max_total_time=600)
[ -n "${FUZZ_SEED:-}" ] && limits+=(-seed="$FUZZ_SEED")
ASAN_OPTIONS=detect_leaks=1 build-fuzz/fuzz/fuzz_reader "${limits[@]}" -max_len=400000 \
    -timeout=20 -rss_limit_mb=4096 "$work"
rm -rf "$work"
