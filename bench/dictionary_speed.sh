#!/usr/bin/env bash
# Creating the data module with the realistic dictionary next to the bare parse of the
# same file: in one process (Google Benchmark, creation / parse), and as whole commands
# (the module's silent checksum export on a missing file, which creates the module and
# passes the gate, against `xmllint --noout slowniki.xml`).
#   bench/dictionary_speed.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-bench}
"$build/bench/bench_data_module" --benchmark_format=json --benchmark_repetitions=5 \
    --benchmark_report_aggregates_only=true 2>/dev/null | python3 -c '
import json, sys
runs = {b["run_name"]: b["real_time"] for b in json.load(sys.stdin)["benchmarks"] if b["aggregate_name"] == "median"}
parse, create = runs["BM_ParseDictionary"], runs["BM_CreateDataModule"]
print(f"w procesie: parsowanie {parse:.2f} ms, utworzenie modułu {create:.2f} ms, stosunek {create / parse:.2f}")'
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export ZELGR_REGISTRY="$work/registry.ini"
bench/compare.sh 20 "$build/bin/zelgor --bin $build/bin SilentCrcCheck_ $work/brak.xml" \
    "xmllint --noout $build/bin/slowniki.xml"
