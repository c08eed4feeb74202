#!/usr/bin/env bash
# Renders every page of the editor with the sample application into docs/screenshots/
# (offscreen: no display needed).
#   scripts/screenshots.sh [APPLICATION.xml]
set -euo pipefail
cd "$(dirname "$0")/.."
application="${1:-examples/wniosek-przyklad.xml}"
[ -d build ] || cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target editor_screenshots >/dev/null
rm -f docs/screenshots/*.png
QT_QPA_PLATFORM=offscreen build/tools/editor_screenshots examples "$application" docs/screenshots
