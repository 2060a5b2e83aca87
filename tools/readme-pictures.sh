#!/usr/bin/env bash
# Makes the README's pictures from frames the game itself draws, headless:
# docs/playing.png and docs/menu.png, and docs/winning-run.gif, the winning
# run of the bundled course at 320x240 (every STEP-th frame, default 8: the
# picture stays under 2 MB).
#   tools/readme-pictures.sh [BUILD_DIR [STEP]]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(mkdir -p "${1:-$root/build}" && cd "${1:-$root/build}" && pwd)"
step="${2:-8}"
bash "$root/tools/setup.sh" build docs
cmake -S "$root" -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target kelvaro-headless kelvaro_data
headless="$build/tools/kelvaro-headless/kelvaro-headless"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$build/data"

# PNG without time stamps: the same frames give the same files.
png() { convert "$1" -strip -define png:exclude-chunks=date,time "$2"; }

"$headless" --keys "$root/assets/scripts/win.keys" --clock-step 16 --frames 430 --shot "420:$work/playing.bmp"
"$headless" --frames 2 --shot "1:$work/menu.bmp"
png "$work/playing.bmp" "$root/docs/playing.png"
png "$work/menu.bmp" "$root/docs/menu.png"

# The run is won at pass 966 (the game then ends with status 255).
shots=()
for ((pass = 0; pass < 966; pass += step)); do shots+=(--shot "$pass:$work/run-$(printf %04d "$pass").bmp"); done
"$headless" --size 320x240 --keys "$root/assets/scripts/win.keys" --clock-step 16 --frames 1000 "${shots[@]}" ||
  [ $? -eq 255 ]
# The game runs at 60 frames a second: a frame of the picture lasts STEP of them.
delay=$(((step * 100 + 30) / 60))
convert -delay "$delay" -loop 0 "$work"/run-*.bmp -layers Optimize "$root/docs/winning-run.gif"
ls -l "$root/docs/playing.png" "$root/docs/menu.png" "$root/docs/winning-run.gif"
if [ "$(stat -c %s "$root/docs/winning-run.gif")" -ge 2000000 ]; then
  echo "readme-pictures: docs/winning-run.gif is 2 MB or more; try a larger STEP" >&2
  exit 1
fi
