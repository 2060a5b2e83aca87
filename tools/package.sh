#!/usr/bin/env bash
# Sets up, builds a Release tree and writes the Debian package
# kelvaro_VERSION_ARCH.deb into the project folder (or OUTPUT_DIR).
#   tools/package.sh [OUTPUT_DIR]
# Install it with: sudo apt install ./kelvaro_*.deb
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="$(mkdir -p "${1:-$root}" && cd "${1:-$root}" && pwd)"
bash "$root/tools/setup.sh" build package
build="$root/build-package"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKELVARO_BUILD_TESTS=OFF >/dev/null
# Everything a build without tests makes: the install rules pack what they
# name, so a list of targets here would fall behind them.
cmake --build "$build"
bash "$root/tools/package-deb.sh" "$build" "$out"
