#!/usr/bin/env bash
# Takes one picture per course of the pack for the README: a frame the game
# draws headless (kelvaro-headless, 640x480) while the course's winning script
# plays, converted to PNG into docs/courses/NAME.png.
#
#   tools/course-shots.sh [BUILD_DIR]     (default: build)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
bash "$root/tools/setup.sh" docs
cmake --build "$build" --target kelvaro-headless kelvaro_data

# The pass of each picture: a moment that shows what the course is about.
shots=(auftakt:240 fallen:430 sprung:120 welle:440 marathon:700)
out="$root/docs/courses"
mkdir -p "$out"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
for entry in "${shots[@]}"; do
  name="${entry%%:*}" pass="${entry##*:}"
  (cd "$build/data" && "$build/tools/kelvaro-headless/kelvaro-headless" \
    --keys "$root/assets/scripts/$name-win.keys" --clock-step 16 --frames "$((pass + 1))" \
    --shot "$pass:$work/$name.bmp" -- -course "$name" >/dev/null)
  # -strip keeps the file free of dates, so the same frame gives the same bytes.
  convert "$work/$name.bmp" -strip "$out/$name.png"
  echo "$out/$name.png"
done
