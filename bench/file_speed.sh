#!/usr/bin/env bash
# Opening and saving a large application (every list table with 200 rows) with
# `topaz_q resave`, side by side with `xmllint --format` of the same file.
#   bench/file_speed.sh [BUILD_DIR]   (a build with -DTOPAZ_BUILD_BENCH=ON)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-bench}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/bench/make_large_application" "$work/duzy.xml" 200
ls -l "$work/duzy.xml" | awk '{ printf "plik: %.1f MB\n", $5 / 1048576 }'
export ZELGR_REGISTRY="$work/registry.ini"
bench/compare.sh 10 "$build/bin/topaz_q resave --bin examples $work/duzy.xml $work/kopia.xml" \
    "xmllint --format $work/duzy.xml"
