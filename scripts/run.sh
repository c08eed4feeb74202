#!/usr/bin/env bash
# Builds the project, lays out the host folder build/bin/ and validates the sample
# application with it, as an institution checks a submitted file.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
echo "Folder programu: $(pwd)/build/bin"
build/bin/topaz_q validate --bin build/bin examples/wniosek-przyklad.xml
