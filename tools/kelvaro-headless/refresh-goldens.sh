#!/usr/bin/env bash
# Rewrites the golden hashes of the headless regression runs
# (tests/tools/golden/*.hashes) from the game as it is now. Run it only after
# a change that is meant to alter frames or traces, look at the new pictures
# whose folders it prints, and commit the hashes with that change.
#   tools/kelvaro-headless/refresh-goldens.sh [BUILD_DIR]
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${1:-$root/build-goldens}"
cmake -S "$root" -B "$build" -G Ninja -DKELVARO_WERROR=ON >/dev/null
cmake --build "$build" -j 2 --target tools_tests kelvaro-headless kelvaro_data
KELVARO_REFRESH_GOLDENS=1 ctest --test-dir "$build" -R 'HeadlessGolden' --output-on-failure -V |
  grep -E '^[0-9]+: wrote |tests passed|tests failed' || true
git -C "$root" diff --stat -- tests/tools/golden
