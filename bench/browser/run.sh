#!/usr/bin/env bash
# The game in headless Chromium: frames per second and CPU share while
# playing (tests/web/cpu_bench.mjs). Needs a browser build (tools/web.sh or
# tests/web/run.sh) and tests/web's npm packages.
#   bench/browser/run.sh [WEB_BUILD_DIR] [SECONDS]
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="$(cd "${1:-$root/build-web/wasm}" && pwd)"
cd "$root/tests/web"
[ -d node_modules/puppeteer-core ] || PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error
for size in 640 320; do
  KELVARO_WEB_BUILD="$build" node cpu_bench.mjs "${2:-10}" "$size"
  KELVARO_WEB_BUILD="$build" node cpu_bench.mjs "${2:-10}" "$size" phone
done
