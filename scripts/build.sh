#!/usr/bin/env bash
# Configures and builds into BUILD_DIR (default: build). Extra arguments go to cmake.
set -euo pipefail
cd "$(dirname "$0")/.."
"$(pwd)/scripts/install-deps.sh"
build_dir=${BUILD_DIR:-build}
cmake -S . -B "$build_dir" -G Ninja -DTOPAZ_BUILD_BENCH=ON "$@" >/dev/null
cmake --build "$build_dir"
