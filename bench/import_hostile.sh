#!/usr/bin/env bash
# Hostile files against `topaz_q import`: one list table with 100 000 rows, and column
# texts of 1 MB. Each is imported as it comes (its checksum no longer holds: refused) and
# after `topaz_q resave` gave it a fresh checksum (imported); wall time and peak memory of
# every step are printed.
#   bench/import_hostile.sh [BUILD_DIR] [ROWS]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
rows=${2:-100000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export ZELGR_REGISTRY="$work/registry.ini"
python3 - "$build/bin/topaz_q" "$work" "$rows" <<'PY'
import os, re, resource, subprocess, sys, time
topaz, work, rows = sys.argv[1], sys.argv[2], int(sys.argv[3])
sample = open("examples/wniosek-przyklad.xml", "rb").read()

# Every location row repeated with its own record number.
m = re.search(rb'(<TABELA nazwa="PLO_LOKALIZACJE_PROJEKTOW">\s*)(<WIERSZ>.*?</WIERSZ>)', sample, re.S)
row = m.group(2)
# Only the location's own values are numbered; the main record merged into the row stays one.
many = b"".join(re.sub(rb'(dsN="dsLokalizacja" dsK="[^"]*" nrW=")1"', rb'\g<1>%d"' % i, row)
                for i in range(1, rows + 1))
files = {"wiele_wierszy.xml": sample[:m.start(2)] + many + sample[m.end(2):]}
# The title and the description a megabyte long each.
long_text = ("Bardzo długi opis ąęśćżź " * 44000)[:1 << 20].encode("cp1250")
files["dlugie_teksty.xml"] = re.sub(
    rb'(dsK="(tytul_projektu|opis_projektu)" nrW="1">)[^<]*', lambda g: g.group(1) + long_text, sample)

# Each step under a wrapper of its own, so its peak memory is its own.
WRAP = ("import resource, subprocess, sys\n"
        "code = subprocess.run(sys.argv[1:]).returncode\n"
        "print(resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss, code, file=sys.stderr)")

def run(args):
    start = time.monotonic()
    p = subprocess.run([sys.executable, "-c", WRAP, topaz] + args, capture_output=True, text=True)
    took = time.monotonic() - start
    errs = p.stderr.strip().splitlines()
    peak, code = (int(x) for x in errs[-1].split())
    last = (p.stdout.strip().splitlines() or errs[:-1] or [""])[-1]
    return code, took, peak / 1024, last[-110:]

for name, data in files.items():
    path = os.path.join(work, name)
    open(path, "wb").write(data)
    fixed = path.replace(".xml", "_poprawiony.xml")
    db = os.path.join(work, name + ".sqlite")
    print(f"== {name}: {len(data) / 1048576:.1f} MB")
    for label, args in (("import as is", ["import", "--bin", "examples", "--db", db, path]),
                        ("resave", ["resave", "--bin", "examples", path, fixed]),
                        ("import resaved", ["import", "--bin", "examples", "--db", db, fixed])):
        code, took, peak, last = run(args)
        print(f"{label:15s} exit {code}  {took:6.1f} s  peak {peak:7.1f} MB  {last}")
    if os.path.exists(db):
        print(f"database: {os.path.getsize(db) / 1048576:.1f} MB")
PY
