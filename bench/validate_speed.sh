#!/usr/bin/env bash
# Validating 1000 application files with `topaz_q validate -j 2`, side by side with
# `xmllint --noout` over the same files, and the peak memory of the validation.
#   bench/validate_speed.sh [BUILD_DIR] [COUNT]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-bench}
count=${2:-1000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
samples=(tests/data/applications/*.xml)
for ((i = 0; i < count; i++)); do
    cp "${samples[i % ${#samples[@]}]}" "$work/wniosek$i.xml"
done
export ZELGR_REGISTRY="$work/registry.ini"
bench/compare.sh 3 "$build/bin/topaz_q validate -j 2 --bin examples $work/*.xml" "xmllint --noout $work/*.xml"
python3 - "$build/bin/topaz_q" "$work" <<'PY'
import glob, resource, subprocess, sys
files = sorted(glob.glob(sys.argv[2] + "/*.xml"))
subprocess.run([sys.argv[1], "validate", "-j", "2", "--bin", "examples"] + files,
               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
peak = resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss
print(f"peak memory of topaz_q validate: {peak / 1024:.1f} MB")
PY
