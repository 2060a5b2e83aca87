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
# Each stage's duration, printed at the end one line a stage, so every run
# tells how long the stages take; a failing stage says last how long it ran.
stage_times=()
current_stage=""
stage_started=0
say_failed_stage() {
  local status=$?
  if [ "$status" -ne 0 ] && [ -n "$current_stage" ]; then
    echo "== $current_stage FAILED (status $status) after $((SECONDS - stage_started)) s =="
  fi
}
trap say_failed_stage EXIT
stage() {
  current_stage="$1"; shift
  echo "== $current_stage =="
  stage_started=$SECONDS
  "$@"
  stage_times+=("$(printf '%6d s  %s' $((SECONDS - stage_started)) "$current_stage")")
  current_stage=""
}
stage "normal build" run_suite "$root/build-test" -DCMAKE_BUILD_TYPE=RelWithDebInfo
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  stage "AddressSanitizer + UndefinedBehaviorSanitizer build" \
  run_suite "$root/build-asan" -DCMAKE_BUILD_TYPE=Debug -DKELVARO_SANITIZE=ON
stage "Windows build: MinGW-w64 cross build, its tests under Wine" bash "$root/tools/windows.sh" --test
stage "browser build" bash "$root/tests/web/run.sh" "$root/build-test" "$root/build-web-test"
echo "== stage times =="
printf '%s\n' "${stage_times[@]}"
