#!/usr/bin/env bash
# Printing to PDF with `topaz_q print`, side by side with `xmllint --format` of the same
# file: the sample application and a large one (every list table with 200 rows); the
# page counts and the peak memory of each printout.
#   bench/print_speed.sh [BUILD_DIR]   (a build with -DTOPAZ_BUILD_BENCH=ON)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-bench}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export ZELGR_REGISTRY="$work/registry.ini" QT_QPA_PLATFORM=offscreen
cp examples/wniosek-przyklad.xml "$work/przyklad.xml"
"$build/bench/make_large_application" "$work/duzy.xml" 200
for name in przyklad duzy; do
    file="$work/$name.xml"
    echo "== $name.xml ($(du -k "$file" | cut -f1) kB)"
    bench/compare.sh 3 "$build/bin/topaz_q print --bin examples --pdf $work/$name.pdf $file" \
        "xmllint --format $file"
    python3 - "$build/bin/topaz_q" "$file" "$work/$name.pdf" <<'PY'
import resource, subprocess, sys
subprocess.run([sys.argv[1], "print", "--bin", "examples", "--pdf", sys.argv[3], sys.argv[2]],
               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
peak = resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss
pages = [l for l in subprocess.run(["pdfinfo", sys.argv[3]], capture_output=True,
                                   text=True).stdout.splitlines() if l.startswith("Pages:")]
print(f"{pages[0].split()[1]} stron, peak memory of topaz_q print: {peak / 1024:.1f} MB")
PY
done
