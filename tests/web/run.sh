#!/usr/bin/env bash
# The browser build's tests: builds kelvaro-headless and the two browser
# programs with Emscripten, warnings as errors, and runs the tests of this
# folder under node's test runner (golden runs under node, the page in
# headless Chromium).
#   tests/web/run.sh NATIVE_BUILD_DIR [WEB_BUILD_DIR]
# NATIVE_BUILD_DIR is a native build with the game data (data/) and
# kelvaro-headless; WEB_BUILD_DIR defaults to build-web-test. Screenshots of
# the browser test are kept in WEB_BUILD_DIR/test-artefacts.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
native="$(cd "${1:?usage: tests/web/run.sh NATIVE_BUILD_DIR [WEB_BUILD_DIR]}" && pwd)"
build="$(realpath -m "${2:-$root/build-web-test}")"
bash "$root/tools/setup.sh" web
export NODE_PATH="${NODE_PATH:+$NODE_PATH:}/usr/share/nodejs"

emcmake cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKELVARO_BUILD_SDL=OFF \
  -DKELVARO_BUILD_TESTS=OFF -DKELVARO_WERROR=ON -DKELVARO_HOST_DATA_DIR="$native/data" >/dev/null
cmake --build "$build" -j "$(nproc)" --target kelvaro-headless kelvaro640 kelvaro320 kelvaro_offline

cd "$root/tests/web"
if [ ! -d node_modules/puppeteer-core ] || [ package-lock.json -nt node_modules/.package-lock.json ]; then
  PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error
fi
KELVARO_WEB_BUILD="$build" KELVARO_DATA_DIR="$native/data" \
  KELVARO_NATIVE_HEADLESS="$native/tools/kelvaro-headless/kelvaro-headless" \
  node --test golden.test.mjs browser.test.mjs goal.test.mjs phone.test.mjs offline.test.mjs sound.test.mjs
