#!/usr/bin/env bash
# Validating 1000 application files with `topaz_q validate -j 2`, side by side with two
# `xmllint --noout` processes at once, each parsing half of the files (both use two
# cores), and the peak memory of the validation.
#   bench/validate_speed.sh [BUILD_DIR] [COUNT]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-bench}
count=${2:-1000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
samples=(tests/data/applications/*.xml)
halves=(a b)
mkdir "$work/a" "$work/b"
for ((i = 0; i < count; i++)); do
    cp "${samples[i % ${#samples[@]}]}" "$work/${halves[i % 2]}/wniosek$i.xml"
done
export ZELGR_REGISTRY="$work/registry.ini"
bench/compare.sh 5 "$build/bin/topaz_q validate -j 2 --bin examples $work/a/*.xml $work/b/*.xml" \
    "xmllint --noout $work/a/*.xml & xmllint --noout $work/b/*.xml & wait"
python3 - "$build/bin/topaz_q" "$work" <<'PY'
import glob, resource, subprocess, sys
files = sorted(glob.glob(sys.argv[2] + "/[ab]/*.xml"))
subprocess.run([sys.argv[1], "validate", "-j", "2", "--bin", "examples"] + files,
               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
peak = resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss
print(f"peak memory of topaz_q validate: {peak / 1024:.1f} MB")
PY
