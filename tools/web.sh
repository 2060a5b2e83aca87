#!/usr/bin/env bash
# Sets up what is missing, builds Kelvaro for the browser into build-web/
# and serves it on http://127.0.0.1:8000/ (PORT=... for another port); with
# --zip it writes kelvaro-web.zip instead, the page for any static web host.
#   tools/web.sh [--zip]
# The course, the pictures and the font are made by the project's native
# tools (build-web/host); the game itself is built with Emscripten
# (build-web/wasm) into build-web/wasm/page, the folder that is served.
set -euo pipefail
zip=0
if [ "${1:-}" = "--zip" ]; then zip=1; fi
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/tools/setup.sh" build web
build="$root/build-web"
jobs="$(nproc)"
# Debian's emscripten runs parts of itself under node, which must see
# Debian's JavaScript modules.
export NODE_PATH="${NODE_PATH:+$NODE_PATH:}/usr/share/nodejs"

echo "== the game's data (native tools) =="
cmake -S "$root" -B "$build/host" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKELVARO_BUILD_SDL=OFF \
  -DKELVARO_BUILD_TESTS=OFF >/dev/null
cmake --build "$build/host" -j "$jobs" --target kelvaro_data

echo "== the game in WebAssembly =="
emcmake cmake -S "$root" -B "$build/wasm" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKELVARO_BUILD_SDL=OFF \
  -DKELVARO_BUILD_TESTS=OFF -DKELVARO_HOST_DATA_DIR="$build/host/data" >/dev/null
cmake --build "$build/wasm" -j "$jobs" --target kelvaro640 kelvaro320 kelvaro_offline

if [ "$zip" = 1 ]; then
  exec bash "$root/tools/web-zip.sh" "$build/wasm/page" "$root/kelvaro-web.zip"
fi

port="${PORT:-8000}"
echo "Kelvaro is served on http://127.0.0.1:$port/ (320x240: http://127.0.0.1:$port/?size=320); Ctrl+C ends it."
cd "$build/wasm/page"
exec python3 -m http.server "$port" --bind 127.0.0.1
