#!/usr/bin/env bash
# Builds the libFuzzer targets of the bitmap and font readers, of the
# course loader and of the player's files (records, replays, par lines)
# with clang in a build directory of their own, writes the seed
# corpora, and runs each target for SECONDS seconds (default 60). Corpora and
# crash inputs collect in fuzz-out/ at the top of the tree. Exits non-zero
# when a target failed.
#   tools/fuzz.sh [SECONDS]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-60}"
build="${KELVARO_FUZZ_DIR:-$root/build-fuzz}"
out="${KELVARO_FUZZ_OUT:-$root/fuzz-out}"
command -v clang++ >/dev/null || { echo "fuzz.sh: clang++ is needed" >&2; exit 1; }

# The sanitizers come from the fuzzer flags; the tree's own sanitize option
# stays off so the two do not mix.
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
  -DKELVARO_FUZZ=ON -DKELVARO_BUILD_SDL=OFF -DKELVARO_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target fuzz_bitmap fuzz_font fuzz_seeds fuzz_course fuzz_course_seeds fuzz_player_files

mkdir -p "$out/corpus/bitmap" "$out/corpus/font" "$out/seeds/bitmap" "$out/seeds/font" "$out/crashes"
"$build/tools/fuzz/fuzz_seeds" "$out/seeds/bitmap" "$out/seeds/font"
mkdir -p "$out/corpus/course" "$out/seeds/course"
"$build/tools/fuzz/fuzz_course_seeds" "$out/seeds/course"
cp "$root/assets/inp1.txt" "$out/seeds/course/bundled-inp1.txt"
mkdir -p "$out/corpus/player_files" "$out/seeds/player_files"
cp "$root"/tools/fuzz/player_seeds/* "$root/assets/courses/courses.txt" "$out/seeds/player_files/"

status=0
for reader in bitmap font course player_files; do
  echo "== fuzz_$reader for ${seconds}s =="
  # Every rejected course echoes its message line on standard error; closing
  # it keeps the log to the fuzzer's own report.
  extra=(-max_len=65536)
  [ "$reader" = course ] && extra=(-max_len=16384 -dict="$root/tools/fuzz/course.dict" -close_fd_mask=2)
  if ! ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=1" \
    "$build/tools/fuzz/fuzz_$reader" -max_total_time="$seconds" -rss_limit_mb=2048 "${extra[@]}" \
    -artifact_prefix="$out/crashes/$reader-" -print_final_stats=1 \
    "$out/corpus/$reader" "$out/seeds/$reader" 2>"$out/$reader.log"; then
    status=1
    echo "fuzz_$reader failed; see $out/$reader.log and $out/crashes/" >&2
  fi
  grep -E "^stat::number_of_executed_units|^stat::new_units_added" "$out/$reader.log" || true
done
exit "$status"
