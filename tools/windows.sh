#!/usr/bin/env bash
# Sets up what is missing, cross-builds the Windows programs with MinGW-w64
# into build-win/ and writes kelvaro-windows.zip (kelvaro640.exe,
# kelvaro320.exe, the course, the pictures, the font and README.txt).
#
#   windows.sh          build the zip
#   windows.sh --test   build everything with the tests in build-test-win/
#                       and run them under Wine (tools/test.sh does this)
#
# The build draws the pictures and writes the course with the project's own
# tools, cross-built too, which run under Wine in a prefix of its own.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
test_mode=0
[ "${1:-}" = "--test" ] && test_mode=1
bash "$root/tools/setup.sh" build windows

export WINEDEBUG="${WINEDEBUG:--all}"
configure() {  # build dir, options
  local dir="$1"; shift
  cmake -S "$root" -B "$dir" -G Ninja -DKELVARO_WERROR=ON \
    -DCMAKE_TOOLCHAIN_FILE="$root/platform/win32/mingw-w64.cmake" "$@" >/dev/null
}

if [ "$test_mode" -eq 0 ]; then
  build="$root/build-win"
  mkdir -p "$build"
  # Wine keeps its own world in a folder of this build, not in ~/.wine.
  export WINEPREFIX="${WINEPREFIX:-$build/wineprefix}"
  configure "$build" -DCMAKE_BUILD_TYPE=Release -DKELVARO_BUILD_TESTS=OFF
  cmake --build "$build" --target kelvaro_windows_zip
  cp "$build/kelvaro-windows.zip" "$root/kelvaro-windows.zip"
  echo "wrote $root/kelvaro-windows.zip"
  exit 0
fi

build="$root/build-test-win"
# A fresh prefix in a temporary folder, started once: every later start of
# Wine (the build's tools, each test program) finds it ready.
prefix="$(mktemp -d "${TMPDIR:-/tmp}/kelvaro-wineprefix-XXXXXX")"
export WINEPREFIX="$prefix"
finish() {
  wineserver -k >/dev/null 2>&1 || true
  rm -rf "$prefix"
}
trap finish EXIT
wineboot -i >/dev/null 2>&1 || true
wineserver -w
configure "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j "$(nproc)"
ctest --test-dir "$build" --output-on-failure -j "$(nproc)" --timeout 600
echo "screenshots of the played run: $build/windows-artefacts"
