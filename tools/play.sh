#!/usr/bin/env bash
# Sets up, builds and starts kelvaro640 on the course choice, as the desktop
# entries do; arguments, when given, are passed on instead (-course welle,
# -replay FILE, ...).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/tools/setup.sh"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKELVARO_BUILD_TESTS=OFF >/dev/null
cmake --build "$root/build" --target kelvaro640 kelvaro_data
cd "$root/build/data"
if [ $# -eq 0 ]; then set -- -choose; fi
exec "$root/build/game/shell/kelvaro640" "$@"
