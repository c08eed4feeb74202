#!/usr/bin/env bash
# Times two whole commands side by side and prints their ratio.
#   bench/compare.sh RUNS "COMMAND A" "COMMAND B"
# After one warm-up run of each, the commands run RUNS times each, alternating (A B, then
# B A, ...) so that noise from other work on the machine hits both alike. Prints the
# median wall time of each and the ratio of the medians A / B.
set -euo pipefail
runs=$1; a=$2; b=$3
elapsed_us() {
    local start end
    start=$(date +%s%N)
    bash -c "$1" >/dev/null 2>&1 || true
    end=$(date +%s%N)
    echo $(((end - start) / 1000))
}
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
elapsed_us "$a" >/dev/null
elapsed_us "$b" >/dev/null
times_a=() times_b=()
for ((i = 0; i < runs; i++)); do
    if ((i % 2 == 0)); then
        times_a+=("$(elapsed_us "$a")"); times_b+=("$(elapsed_us "$b")")
    else
        times_b+=("$(elapsed_us "$b")"); times_a+=("$(elapsed_us "$a")")
    fi
done
ta=$(printf '%s\n' "${times_a[@]}" | median)
tb=$(printf '%s\n' "${times_b[@]}" | median)
awk -v ta="$ta" -v tb="$tb" -v a="$a" -v b="$b" -v n="$runs" 'BEGIN {
    printf "A: %8.2f ms  %s\nB: %8.2f ms  %s\nA/B: %.2f (medians of %d alternating runs)\n",
        ta / 1000, a, tb / 1000, b, ta / tb, n }'
