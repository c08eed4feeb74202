#!/usr/bin/env bash
# Importing 1000 different applications into a new SQLite database with
# `topaz_q import -j 2`, side by side with `topaz_q validate -j 2` of the same files;
# then the database's size and the peak memory of one import.
#   bench/import_speed.sh [BUILD_DIR] [COUNT]   (a build with -DTOPAZ_BUILD_BENCH=ON)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-bench}
count=${2:-1000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export ZELGR_REGISTRY="$work/registry.ini"
"$build/bench/make_applications" examples/wniosek-przyklad.xml "$work" "$count"
# Each import starts from an empty database, so every file is written.
bench/compare.sh 3 "rm -f $work/baza.sqlite; $build/bin/topaz_q import -j 2 --bin examples --db $work/baza.sqlite $work/wniosek*.xml" \
    "$build/bin/topaz_q validate -j 2 --bin examples $work/wniosek*.xml"
python3 - "$build/bin/topaz_q" "$work" <<'PY'
import glob, os, resource, subprocess, sys
files = sorted(glob.glob(sys.argv[2] + "/wniosek*.xml"))
db = sys.argv[2] + "/pamiec.sqlite"
subprocess.run([sys.argv[1], "import", "-j", "2", "--bin", "examples", "--db", db] + files,
               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
peak = resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss
print(f"database: {os.path.getsize(db) / 1048576:.1f} MB for {len(files)} applications")
print(f"peak memory of topaz_q import: {peak / 1024:.1f} MB")
PY
