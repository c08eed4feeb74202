#!/usr/bin/env bash
# `topaz_q diff` of the large application (make_large_application, about 9.7 MB) and a copy
# with its title changed, side by side with `topaz_q validate` of
# the large application alone. The goal: the diff takes under twice the validation.
#   bench/diff_speed.sh [BUILD_DIR] [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
runs=${2:-3}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export ZELGR_REGISTRY="$work/registry.ini"
"$build/bench/make_large_application" "$work/old.xml" >/dev/null
ls -l "$work/old.xml" | awk '{ printf "large application: %.1f MB\n", $5 / 1e6 }'
# The changed copy: another title (its checksum then fails, which diff reports too).
python3 - "$work/old.xml" "$work/new.xml" <<'PY'
import re, sys
text = open(sys.argv[1], encoding="latin-1").read()
text = re.sub(r'(dsK="tytul_projektu" nrW="1")(/>|>[^<]*</ATRYBUT>)',
              r'\1>' + 'Tytu\xb3 poprawiony</ATRYBUT>', text, count=1)  # ł in CP1250
open(sys.argv[2], "w", encoding="latin-1").write(text)
PY
"$build/bin/topaz_q" diff --bin examples "$work/old.xml" "$work/new.xml" | tail -3 || true
bench/compare.sh "$runs" "$build/bin/topaz_q diff --bin examples $work/old.xml $work/new.xml" \
    "$build/bin/topaz_q validate --bin examples $work/old.xml"
