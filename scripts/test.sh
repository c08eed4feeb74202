#!/usr/bin/env bash
# Builds the project and runs the whole test suite; exits non-zero when any test fails.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
BUILD_DIR=$build_dir scripts/build.sh "$@"
QT_QPA_PLATFORM=offscreen ctest --test-dir "$build_dir" --output-on-failure -j2
