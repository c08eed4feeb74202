#!/usr/bin/env bash
# Installs the Debian packages the build needs, only those that are missing.
set -euo pipefail
packages=(g++ cmake ninja-build qt6-base-dev libxml2-dev libxml2-utils libssl-dev libbenchmark-dev)
# Packaging: dpkg-shlibdeps computes the package's dependencies.
packages+=(dpkg-dev file)
# Printing: a font with Polish letters, and poppler to read the PDF back in tests.
packages+=(fonts-dejavu-core poppler-utils)
# CI checks the formatting of the C++ sources.
packages+=(clang-format)
# The editor: Qt's own Polish translations of standard buttons and dialogs.
packages+=(qt6-translations-l10n)
# Spelling of the long texts: Hunspell and its Polish dictionary.
packages+=(libhunspell-dev hunspell-pl pkg-config)
# Import: the Qt SQL drivers, and a PostgreSQL server for the import test's throwaway cluster.
packages+=(libqt6sql6-sqlite libqt6sql6-psql postgresql)
# Fuzzing: clang with libFuzzer and the sanitizer runtimes; llvm-symbolizer for the findings' stack traces.
packages+=(clang libclang-rt-14-dev llvm)
# Save failures in tests: strace fails chosen system calls with ENOSPC.
packages+=(strace)
packages+=("$@")
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Instaluję brakujące pakiety: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
