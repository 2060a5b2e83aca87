#!/usr/bin/env bash
# Frame benchmark: plays the bundled course without a display in both sizes
# and prints the frames per second of the main-loop passes (drawing, game
# logic and the buffer swap; start-up excluded).
#   bench/frames/run.sh [BUILD_DIR] [PASSES] [ROUNDS] [WASM_BUILD_DIR]
# Without BUILD_DIR it configures and builds a Release tree in build-bench.
# With WASM_BUILD_DIR (an Emscripten build with kelvaro-headless, see
# bench/frames/web.sh) the same runs are also timed under node, and each size
# ends with the WebAssembly frame's time as a multiple of the native one.
# The run replays assets/scripts/win.keys on a fixed 10 ms clock, so every
# round draws the same frames; it stops after PASSES passes (default 900,
# before the goal) and is repeated ROUNDS times (default 3).
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${1:-$root/build-bench}"
passes="${2:-900}"
rounds="${3:-3}"
if [ $# -lt 1 ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKELVARO_BUILD_TESTS=OFF >/dev/null
  cmake --build "$build" -j 2 --target kelvaro-headless kelvaro_data >/dev/null
fi
build="$(cd "$build" && pwd)"
wasm="${4:+$(cd "$4" && pwd)}"
program="$build/tools/kelvaro-headless/kelvaro-headless"
keys="$root/assets/scripts/win.keys"
cd "$build/data"

# The best frame rate of ROUNDS runs of one program at one size, into $best.
best_of() {
  local label="$1" size="$2"; shift 2
  local round line status fps
  best=0
  for ((round = 1; round <= rounds; ++round)); do
    # 255 is the game's end after the goal: the passes before it still count.
    status=0
    line="$("$@" --size "$size" --keys "$keys" --clock-step 10 --frames "$passes" --bench)" || status=$?
    if [ "$status" -ne 0 ] && [ "$status" -ne 255 ]; then
      echo "$label kelvaro-headless failed with status $status" >&2
      exit 1
    fi
    echo "$label $size round $round: $line"
    fps="${line##* fps }"
    best="$(awk -v a="$best" -v b="$fps" 'BEGIN { print (b > a) ? b : a }')"
  done
}

for size in 640x480 320x240; do
  best_of native "$size" "$program"
  native_best="$best"
  echo "$size best: $native_best fps"
  if [ -n "$wasm" ]; then
    best_of WebAssembly "$size" node "$wasm/tools/kelvaro-headless/kelvaro-headless.js"
    wasm_best="$best"
    echo "$size WebAssembly best: $wasm_best fps"
    awk -v n="$native_best" -v w="$wasm_best" -v s="$size" \
      'BEGIN { if (w > 0) printf "%s WebAssembly frame / native frame: %.2f\n", s, n / w }'
  fi
done
