#!/usr/bin/env bash
# Renders the pages of the sample application's printout to PNG under docs/screenshots/
# (wydruk-1.png, wydruk-2.png, ...), through `topaz_q print` and poppler's pdftoppm.
#   scripts/print-screenshots.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-${BUILD_DIR:-build}}
cmake --build "$build" --target topaz_q >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export ZELGR_REGISTRY="$work/registry.ini" QT_QPA_PLATFORM=offscreen
cp examples/wniosek-przyklad.xml "$work/wniosek.xml"
"$build/bin/topaz_q" print --bin "$build/bin" --pdf "$work/wniosek.pdf" "$work/wniosek.xml" >/dev/null
mkdir -p docs/screenshots
rm -f docs/screenshots/wydruk-*.png
pdftoppm -r 80 -png "$work/wniosek.pdf" "$work/wydruk"
for f in "$work"/wydruk-*.png; do
    n=$(basename "$f" .png | sed 's/^wydruk-0*//')
    cp "$f" "docs/screenshots/wydruk-$n.png"
done
ls docs/screenshots/wydruk-*.png
