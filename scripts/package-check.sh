#!/usr/bin/env bash
# Builds the Debian package in the build folder, installs it as a user would, runs the
# installed topaz_q on the sample application, checks that the desktop entry and the MIME
# type came with it, and removes the package again.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build_dir=${BUILD_DIR:-build}
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

rm -f "$build_dir"/zelgor_*.deb
(cd "$build_dir" && cpack -G DEB >/dev/null)
deb=$(ls "$root/$build_dir"/zelgor_*.deb)
echo "Pakiet: $deb"
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "$deb" >/dev/null
trap 'DEBIAN_FRONTEND=noninteractive $sudo apt-get remove -y -qq zelgor >/dev/null' EXIT

dpkg -L zelgor | grep -E '^/usr/share/(applications/zelgor\.desktop|mime/packages/zelgor-wniosek\.xml)$'
# A user's first run: no registry yet, started from a folder without a dictionary.
home=$(mktemp -d)
(cd "$home" && env -u ZELGR_REGISTRY HOME="$home" /usr/bin/topaz_q validate \
    "$root/examples/wniosek-przyklad.xml")
rm -rf "$home"
echo "Pakiet zainstalowany, sprawdzony i usunięty."
