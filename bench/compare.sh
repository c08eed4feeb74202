#!/usr/bin/env bash
# Times whole commands side by side and prints their ratio.
#   bench/compare.sh RUNS "COMMAND A" "COMMAND B"
# Each command runs RUNS times after one warm-up run; the mean wall time of each and the
# ratio A / B are printed.
set -euo pipefail
runs=$1; a=$2; b=$3
mean_ms() {
    local cmd=$1 start end
    bash -c "$cmd" >/dev/null 2>&1 || true
    start=$(date +%s%N)
    for ((i = 0; i < runs; i++)); do bash -c "$cmd" >/dev/null 2>&1 || true; done
    end=$(date +%s%N)
    echo $(( (end - start) / runs / 1000 ))
}
ta=$(mean_ms "$a")
tb=$(mean_ms "$b")
awk -v ta="$ta" -v tb="$tb" -v a="$a" -v b="$b" 'BEGIN {
    printf "A: %8.2f ms  %s\nB: %8.2f ms  %s\nA/B: %.2f\n", ta / 1000, a, tb / 1000, b, ta / tb }'
