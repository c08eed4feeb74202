#!/usr/bin/env bash
# The seeded walker for a long time: builds tst_walker, then runs it again and again with
# the next seed (both the sample and a new application each time) until MINUTES are up,
# and sums up walks, actions, pages, message boxes and faults. A failing run's output
# (its replay line and action log) is kept in $BUILD_DIR/walker-failures/.
#   scripts/walker.sh [MINUTES=30] [ACTIONS per walk=1500] [first SEED=1]
set -uo pipefail
cd "$(dirname "$0")/.."
minutes=${1:-30} actions=${2:-1500} seed=${3:-1}
build_dir=${BUILD_DIR:-build}
cmake -S . -B "$build_dir" -G Ninja >/dev/null && cmake --build "$build_dir" -j2 --target tst_walker || exit 1
failures="$build_dir/walker-failures"
mkdir -p "$failures"
state=$(mktemp -d)
trap 'rm -rf "$state"' EXIT
end=$(($(date +%s) + minutes * 60))
walks=0 acts=0 boxes=0 faults=0 runs=0
declare -A pages # every page visited, by its tab captions
while [ "$(date +%s)" -lt "$end" ]; do
    out=$(QT_QPA_PLATFORM=offscreen XDG_STATE_HOME="$state" TOPAZ_WALKER_SEED=$seed \
        TOPAZ_WALKER_ACTIONS=$actions "$build_dir/tests/tst_walker" 2>&1)
    rc=$?
    runs=$((runs + 1))
    while read -r tag w a p b f; do
        walks=$((walks + w)) acts=$((acts + a)) boxes=$((boxes + b))
    done < <(sed -n 's/.*walker \([a-z]*\): walks \([0-9]*\), actions \([0-9]*\), pages \([0-9]*\), message boxes \([0-9]*\), faults \([0-9]*\).*/\1 \2 \3 \4 \5 \6/p' <<<"$out")
    while IFS= read -r page; do pages[$page]=1; done < <(sed -n 's/.*walker pages: //p' <<<"$out" | tr '|' '\n' | grep .)
    if [ $rc -ne 0 ]; then
        faults=$((faults + 1))
        echo "$out" >"$failures/seed-$seed.txt"
        echo "FAULT (seed $seed): $(grep -m1 -A1 'FAIL!' <<<"$out" | tr '\n' ' ')"
        grep -m1 'replay:' <<<"$out" || grep -m1 'walker: endless' <<<"$out"
    fi
    echo "seed $seed: walks $walks, actions $acts, message boxes $boxes, faults $faults"
    seed=$((seed + 1))
done
echo "walker: $minutes min, $runs runs, $walks walks, $acts actions, ${#pages[@]} of 16 pages visited, $boxes message boxes answered, $faults faults"
[ $faults -eq 0 ]
