#!/usr/bin/env bash
# Renders the host's main window over the sample files and every page of the editor with
# the sample application into docs/screenshots/ (offscreen: no display needed).
#   scripts/screenshots.sh [APPLICATION.xml]   (after a build: build/bin is the host folder)
set -euo pipefail
cd "$(dirname "$0")/.."
application="${1:-examples/wniosek-przyklad.xml}"
[ -d build ] || cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
# The host folder build/bin holds the module (its version shows in the status bar) and the
# dictionary.
cmake --build build -j2 --target editor_screenshots launcher_screenshot TOPAZ_Q topaz_help_writer >/dev/null
rm -f docs/screenshots/[0-9][0-9]-*.png
QT_QPA_PLATFORM=offscreen build/tools/editor_screenshots build/bin "$application" docs/screenshots
# The help window with a search for "NIP".
QT_QPA_PLATFORM=offscreen build/tools/topaz_help_writer --screenshot docs/screenshots/pomoc-nip.png NIP

# The main window lists copies of the samples; its registry and home are a temporary folder,
# so no user file is read or written.
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/wnioski"
cp "$application" tests/data/applications/*.xml "$scratch/wnioski/"
# Fixed times of change, one hour apart, so that the picture changes only with the window.
hour=8
for file in "$scratch"/wnioski/*.xml; do
    touch -d "2005-03-14 $((hour++)):30" "$file"
done
printf '[Zelgr]\nbin=%s\n' "$PWD/build/bin" >"$scratch/registry.ini"
HOME="$scratch" XDG_CONFIG_HOME="$scratch" XDG_STATE_HOME="$scratch" \
    ZELGR_REGISTRY="$scratch/registry.ini" QT_QPA_PLATFORM=offscreen \
    build/tools/launcher_screenshot build/bin "$scratch/wnioski" docs/screenshots/00-zelgor.png
