#!/usr/bin/env bash
# The whole process from start to the editor shown on a new application (zelgor
# NowyWniosek_, offscreen, closed by the scripted user once shown), side by side with a
# bare Qt window of the same size holding a tab widget; then the peak memory of both.
#   bench/editor_startup.sh [BUILD_DIR] [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-bench}
runs=${2:-10}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export ZELGR_REGISTRY="$work/registry.ini" QT_QPA_PLATFORM=offscreen TOPAZ_AUTOCLOSE=1
editor="$build/bin/zelgor --bin $build/bin NowyWniosek_"
bare="$build/bench/bare_tab_window"
bench/compare.sh "$runs" "$editor" "$bare"
# Peak resident memory of one run of each, measured from a parent of its own.
for cmd in "$editor" "$bare"; do
    python3 - "$cmd" <<'PY'
import resource, shlex, subprocess, sys
subprocess.run(shlex.split(sys.argv[1]), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
peak = resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss
print(f"peak memory: {peak / 1024:.1f} MB  {sys.argv[1]}")
PY
done
