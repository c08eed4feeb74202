#!/usr/bin/env bash
# Builds the project and lays out the ready host folder build/bin/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
echo "Folder programu: $(pwd)/build/bin"
ls build/bin
