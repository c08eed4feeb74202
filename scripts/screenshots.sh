#!/usr/bin/env bash
# Renders every page of the editor with the sample application into docs/screenshots/
# (offscreen: no display needed).
#   scripts/screenshots.sh [APPLICATION.xml]   (after a build: build/bin is the host folder)
set -euo pipefail
cd "$(dirname "$0")/.."
application="${1:-examples/wniosek-przyklad.xml}"
[ -d build ] || cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
# The host folder build/bin holds the module (its version shows in the status bar) and the
# dictionary.
cmake --build build --target editor_screenshots TOPAZ_Q >/dev/null
rm -f docs/screenshots/[0-9][0-9]-*.png
QT_QPA_PLATFORM=offscreen build/tools/editor_screenshots build/bin "$application" docs/screenshots
