#!/usr/bin/env bash
# The frame benchmark for the browser build: builds kelvaro-headless natively
# (Release, build-bench) and with Emscripten (Release, build-bench-web), then
# times both in one run of bench/frames/run.sh and prints their ratio.
#   bench/frames/web.sh [PASSES] [ROUNDS]
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
native="$root/build-bench"
wasm="$root/build-bench-web"
export NODE_PATH="${NODE_PATH:+$NODE_PATH:}/usr/share/nodejs"
cmake -S "$root" -B "$native" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKELVARO_BUILD_TESTS=OFF >/dev/null
cmake --build "$native" -j 2 --target kelvaro-headless kelvaro_data >/dev/null
emcmake cmake -S "$root" -B "$wasm" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKELVARO_BUILD_SDL=OFF \
  -DKELVARO_BUILD_TESTS=OFF -DKELVARO_HOST_DATA_DIR="$native/data" >/dev/null
cmake --build "$wasm" -j 2 --target kelvaro-headless >/dev/null
exec "$root/bench/frames/run.sh" "$native" "${1:-900}" "${2:-3}" "$wasm"
