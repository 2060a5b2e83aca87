#!/usr/bin/env bash
# The Windows zip holds exactly the files of the list (the licence among
# them), and its texts have the line ends Notepad shows.
#   zip_files.sh ZIP LIST
set -uo pipefail
zip="$(realpath "$1")" list="$(realpath "$2")"
work="$(mktemp -d "${TMPDIR:-/tmp}/kelvaro-zip-XXXXXX")"
trap 'rm -rf "$work"' EXIT
mkdir "$work/unpacked"
(cd "$work/unpacked" && cmake -E tar xf "$zip") || { echo "FAIL: cannot unpack $zip" >&2; exit 1; }
(cd "$work/unpacked" && find . -type f | sed 's|^\./||' | LC_ALL=C sort) >"$work/found"
grep -v '^#' "$list" | LC_ALL=C sort >"$work/wanted"
if ! diff -u "$work/wanted" "$work/found" >"$work/diff"; then
  echo "FAIL: the zip's files differ from $list (- missing, + not listed):" >&2
  grep '^[-+][^-+]' "$work/diff" >&2
  exit 1
fi
for text in README.txt LICENSE.txt; do
  grep -q $'\r$' "$work/unpacked/Kelvaro/$text" || { echo "FAIL: $text has no CR LF line ends" >&2; exit 1; }
done
grep -q "MIT" "$work/unpacked/Kelvaro/README.txt" || { echo "FAIL: README.txt does not name the licence" >&2; exit 1; }
cmp -s <(tr -d '\r' <"$work/unpacked/Kelvaro/LICENSE.txt") "$(dirname "$0")/../../LICENSE" ||
  { echo "FAIL: LICENSE.txt is not the project's licence" >&2; exit 1; }
echo "the zip holds the $(wc -l <"$work/wanted") files of the list"
