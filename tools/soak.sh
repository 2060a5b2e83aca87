#!/usr/bin/env bash
# Long unattended play: kelvaro-headless on the bundled course under seeded
# random key input (tools/soak), at both screen sizes, in an AddressSanitizer
# + UndefinedBehaviorSanitizer build, then under valgrind's memcheck in a
# plain build. A run that ends the game (the goal, or the ball thrown past
# the course) is followed by another with the next seed until the passes are
# done. Fails on any sanitizer or memcheck report, a leak, or any other end.
#   tools/soak.sh [PASSES [VALGRIND_PASSES]]   (defaults 100000 and 20000)
# Environment:
#   KELVARO_SOAK_SEED    first seed (default 1)
#   KELVARO_SOAK_SIZES   screen sizes (default "640x480 320x240")
#   KELVARO_SOAK_PROGRAM, KELVARO_SOAK_KEYGEN, KELVARO_SOAK_DATA
#                        run this kelvaro-headless (a sanitizer build),
#                        soak-keys and data folder instead of building; then
#                        memcheck runs only on KELVARO_SOAK_PLAIN_PROGRAM.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
passes="${1:-100000}"
valgrind_passes="${2:-20000}"
seed0="${KELVARO_SOAK_SEED:-1}"
sizes="${KELVARO_SOAK_SIZES:-640x480 320x240}"
clock_step=20
work="$(mktemp -d "${TMPDIR:-/tmp}/kelvaro-soak-XXXXXX")"
trap 'rm -rf "$work"' EXIT

build() {  # DIR CMAKE-ARGS...
  local dir="$1"; shift
  cmake -S "$root" -B "$dir" -G Ninja -DKELVARO_BUILD_SDL=OFF -DKELVARO_BUILD_TESTS=OFF "$@" >/dev/null
  cmake --build "$dir" -j2 --target kelvaro-headless soak-keys kelvaro_data >/dev/null
}

# Plays PASSES passes at SIZE with PROGRAM, started through the wrapper
# command in the remaining arguments (none for the sanitizer build).
soak() {  # LABEL PROGRAM KEYGEN DATA SIZE PASSES WRAPPER...
  local label="$1" program="$2" keygen="$3" data="$4" size="$5" want="$6"; shift 6
  local done=0 seed="$seed0" runs=0 ends=0 start=$SECONDS
  while [ "$done" -lt "$want" ]; do
    local left=$((want - done)) keys="$work/keys-$seed.txt" rc=0 failed=0
    "$keygen" "$seed" "$left" "$keys"
    (cd "$data" && "$@" "$program" --size "$size" --keys "$keys" --frames "$left" \
      --clock-step "$clock_step" --bench) >"$work/out.txt" 2>"$work/err.txt" || rc=$?
    runs=$((runs + 1))
    local frames
    frames="$(sed -n 's/^frames \([0-9]*\) .*/\1/p' "$work/out.txt" | tail -n 1)"
    frames="${frames:-0}"
    if grep -qE "AddressSanitizer|LeakSanitizer|runtime error:|ERROR SUMMARY: [1-9]|definitely lost: [1-9]" \
      "$work/err.txt"; then
      failed=1
    elif [ "$rc" -eq 255 ] && [ "$frames" -gt 0 ] &&
      grep -qE "Sie haben gewonnen|Ball in Intervall 11" "$work/err.txt"; then
      ends=$((ends + 1))  # the game ended itself; play on with the next seed
    elif [ "$rc" -ne 0 ] || [ "$frames" -ne "$left" ]; then
      failed=1
    fi
    if [ "$failed" -eq 1 ]; then
      echo "soak: $label $size seed $seed failed after $frames of $left passes (exit $rc):" >&2
      tail -n 40 "$work/err.txt" >&2
      cp "$keys" "$work/err.txt" "${TMPDIR:-/tmp}/" 2>/dev/null || true
      echo "soak: key script and error output kept in ${TMPDIR:-/tmp}/$(basename "$keys") and err.txt" >&2
      return 1
    fi
    done=$((done + frames))
    seed=$((seed + 1))
  done
  echo "soak: $label $size: $done passes in $runs runs ($ends ended by the game), $((SECONDS - start)) s, no findings"
}

if [ -n "${KELVARO_SOAK_PROGRAM:-}" ]; then
  asan_program="$KELVARO_SOAK_PROGRAM"
  keygen="${KELVARO_SOAK_KEYGEN:?KELVARO_SOAK_KEYGEN is needed with KELVARO_SOAK_PROGRAM}"
  data="${KELVARO_SOAK_DATA:?KELVARO_SOAK_DATA is needed with KELVARO_SOAK_PROGRAM}"
  plain_program="${KELVARO_SOAK_PLAIN_PROGRAM:-}"
else
  echo "== building (sanitizer and plain builds) =="
  build "$root/build-soak-asan" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELVARO_SANITIZE=ON
  build "$root/build-soak" -DCMAKE_BUILD_TYPE=RelWithDebInfo
  asan_program="$root/build-soak-asan/tools/kelvaro-headless/kelvaro-headless"
  keygen="$root/build-soak/tools/soak/soak-keys"
  data="$root/build-soak/data"
  plain_program="$root/build-soak/tools/kelvaro-headless/kelvaro-headless"
fi

# Exit handlers run after main's frame is gone; watch for uses of it too.
export ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=1:detect_stack_use_after_return=1"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-}:print_stacktrace=1:halt_on_error=1"
for size in $sizes; do
  soak sanitizers "$asan_program" "$keygen" "$data" "$size" "$passes"
done

if [ "$valgrind_passes" -gt 0 ] && [ -n "$plain_program" ]; then
  if ! command -v valgrind >/dev/null; then
    echo "soak: valgrind not found; memcheck run skipped" >&2
  else
    for size in $sizes; do
      soak memcheck "$plain_program" "$keygen" "$data" "$size" "$valgrind_passes" \
        valgrind --tool=memcheck --leak-check=full --error-exitcode=1
    done
  fi
fi
