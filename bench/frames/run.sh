#!/usr/bin/env bash
# Frame benchmark: plays the bundled course without a display in both sizes
# and prints the frames per second of the main-loop passes (drawing, game
# logic and the buffer swap; start-up excluded).
#   bench/frames/run.sh [BUILD_DIR] [PASSES] [ROUNDS]
# Without BUILD_DIR it configures and builds a Release tree in build-bench.
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
program="$build/tools/kelvaro-headless/kelvaro-headless"
keys="$root/assets/scripts/win.keys"
cd "$build/data"

for size in 640x480 320x240; do
  best=0
  for ((round = 1; round <= rounds; ++round)); do
    # 255 is the game's end after the goal: the passes before it still count.
    status=0
    line="$("$program" --size "$size" --keys "$keys" --clock-step 10 --frames "$passes" --bench)" || status=$?
    if [ "$status" -ne 0 ] && [ "$status" -ne 255 ]; then
      echo "kelvaro-headless failed with status $status" >&2
      exit 1
    fi
    echo "$size round $round: $line"
    fps="${line##* fps }"
    best="$(awk -v a="$best" -v b="$fps" 'BEGIN { print (b > a) ? b : a }')"
  done
  echo "$size best: $best fps"
done
