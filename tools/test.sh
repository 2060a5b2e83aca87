#!/usr/bin/env bash
# Sets up, builds and runs every test: once in a normal build, once under
# AddressSanitizer and UndefinedBehaviorSanitizer. Warnings are errors.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
# Everything the stages need, in one go: the package group for the test of
# the Debian package, the cross-build and browser groups for their stages.
bash "$root/tools/setup.sh" build package windows web
jobs="$(nproc)"
export SDL_VIDEODRIVER="${SDL_VIDEODRIVER:-}"  # tests never need a display
run_suite() {
  local dir="$1"; shift
  cmake -S "$root" -B "$dir" -G Ninja -DKELVARO_WERROR=ON "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
  ctest --test-dir "$dir" --output-on-failure -j "$jobs" --timeout 600
}
echo "== normal build =="
run_suite "$root/build-test" -DCMAKE_BUILD_TYPE=RelWithDebInfo
echo "== AddressSanitizer + UndefinedBehaviorSanitizer build =="
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  run_suite "$root/build-asan" -DCMAKE_BUILD_TYPE=Debug -DKELVARO_SANITIZE=ON
echo "== Windows build: MinGW-w64 cross build, its tests under Wine =="
bash "$root/tools/windows.sh" --test
echo "== browser build =="
bash "$root/tests/web/run.sh" "$root/build-test" "$root/build-web-test"
