#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer)
# and runs the named targets (default: reader and dictionary) side by side, one core each,
# for SECONDS (default 60) on a copy of its seed corpus, with its libFuzzer dictionary and
# its input size limit. FUZZ_RUNS and FUZZ_SEED make a run repeatable (a fixed number of
# inputs from a fixed seed), as CI uses it. The last lines of each run give its speed,
# coverage and peak memory; a crashing input is kept in build-fuzz/findings/.
#   fuzz/run.sh [SECONDS] [reader|dictionary]...
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(reader dictionary)
scripts/install-deps.sh
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTOPAZ_BUILD_TESTS=OFF -DTOPAZ_BUILD_FUZZ=ON \
    -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" -DCMAKE_SHARED_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build build-fuzz --target "${targets[@]/#/fuzz_}"

# Inputs a little larger than the largest seed: small inputs keep every run fast.
declare -A max_len=([reader]=8192 [dictionary]=24576)
findings=build-fuzz/findings
mkdir -p "$findings"
declare -A pids work
for target in "${targets[@]}"; do
    work[$target]=$(mktemp -d)
    cp "fuzz/corpus_$target"/* "${work[$target]}"/
    limits=(-max_total_time="$seconds")
    [ -n "${FUZZ_RUNS:-}" ] && limits=(-runs="$FUZZ_RUNS" -max_total_time=900)
    [ -n "${FUZZ_SEED:-}" ] && limits+=(-seed="$FUZZ_SEED")
    ASAN_OPTIONS=detect_leaks=1 "build-fuzz/fuzz/fuzz_$target" "${limits[@]}" \
        -max_len="${max_len[$target]}" -dict="fuzz/$target.dict" -timeout=20 \
        -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$findings/${target}-" \
        "${work[$target]}" >"build-fuzz/fuzz_$target.log" 2>&1 &
    pids[$target]=$!
done
status=0
for target in "${targets[@]}"; do
    echo "== fuzz_$target =="
    if wait "${pids[$target]}"; then
        grep -E '^#[0-9]+[[:space:]]+DONE|^stat::' "build-fuzz/fuzz_$target.log"
    else
        status=1
        tail -n 60 "build-fuzz/fuzz_$target.log"
    fi
    rm -rf "${work[$target]}"
done
exit $status
