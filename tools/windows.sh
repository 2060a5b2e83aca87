#!/usr/bin/env bash
# Sets up what is missing, cross-builds the Windows programs with MinGW-w64
# into build-win/ and writes kelvaro-windows.zip (kelvaro640.exe,
# kelvaro320.exe, the course, the pictures, the font and README.txt).
# The build draws the pictures and writes the course with the project's own
# tools, cross-built too, which run under Wine.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/tools/setup.sh" build windows
build="$root/build-win"
mkdir -p "$build"
# Wine keeps its own world in a folder of this build, not in ~/.wine.
export WINEPREFIX="${WINEPREFIX:-$build/wineprefix}" WINEDEBUG="${WINEDEBUG:--all}"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKELVARO_WERROR=ON \
  -DKELVARO_BUILD_TESTS=OFF -DCMAKE_TOOLCHAIN_FILE="$root/platform/win32/mingw-w64.cmake" >/dev/null
cmake --build "$build" --target kelvaro_windows_zip
cp "$build/kelvaro-windows.zip" "$root/kelvaro-windows.zip"
echo "wrote $root/kelvaro-windows.zip"
