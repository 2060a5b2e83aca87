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
# tools, cross-built too, which run under Wine in a prefix of its own. Every
# Wine program of the build and the tests starts through
# tools/windows/run_under_wine.sh, which keeps one server running for the
# prefix; this script stops it at the end. A step that fails says so in the
# last lines.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
test_mode=0
[ "${1:-}" = "--test" ] && test_mode=1
bash "$root/tools/setup.sh" build windows

# Wine's own error messages are shown while the build runs its tools, so
# that a tool Wine fails to start says why; the test programs run with
# them off, since tests compare what their programs print.
build_winedebug="${WINEDEBUG:--all,err+all}"
export WINEDEBUG="${WINEDEBUG:--all}"
configure() {  # build dir, options
  local dir="$1"; shift
  cmake -S "$root" -B "$dir" -G Ninja -DKELVARO_WERROR=ON \
    -DCMAKE_TOOLCHAIN_FILE="$root/platform/win32/mingw-w64.cmake" "$@" >/dev/null
}

step="setting up"
our_prefix=""
temporary_prefix=""
finish() {
  local status=$?
  # The prefix's server runs until told to stop (see run_under_wine.sh).
  [ -n "$our_prefix" ] && WINEPREFIX="$our_prefix" bash "$root/tools/windows/run_under_wine.sh" --stop
  [ -n "$temporary_prefix" ] && rm -rf "$temporary_prefix"
  [ "$status" != 0 ] && echo "windows.sh: FAILED while $step (status $status); the reason is above" >&2
  exit "$status"
}
trap finish EXIT

if [ "$test_mode" -eq 0 ]; then
  build="$root/build-win"
  mkdir -p "$build"
  # Wine keeps its own world in a folder of this build, not in ~/.wine
  # (nor in a prefix of the user's, whose programs the end would stop).
  our_prefix="$build/wineprefix"
  export WINEPREFIX="$our_prefix"
  step="configuring $build"
  configure "$build" -DCMAKE_BUILD_TYPE=Release -DKELVARO_BUILD_TESTS=OFF
  step="building the zip"
  WINEDEBUG="$build_winedebug" cmake --build "$build" --target kelvaro_windows_zip
  cp "$build/kelvaro-windows.zip" "$root/kelvaro-windows.zip"
  echo "wrote $root/kelvaro-windows.zip"
  exit 0
fi

build="$root/build-test-win"
# A fresh prefix in a temporary folder; the first Wine program boots it.
temporary_prefix="$(mktemp -d "${TMPDIR:-/tmp}/kelvaro-wineprefix-XXXXXX")"
our_prefix="$temporary_prefix"
export WINEPREFIX="$our_prefix"
step="configuring $build"
configure "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
step="building $build"
WINEDEBUG="$build_winedebug" cmake --build "$build" -j "$(nproc)"
step="running the tests under Wine"
ctest --test-dir "$build" --output-on-failure -j "$(nproc)" --timeout 600
echo "screenshots of the played run: $build/windows-artefacts"
