#!/usr/bin/env bash
# Packs a built browser page folder into a zip for any static web host
# (itch.io among them): index.html at the root, every file as the page names
# it, the licence inside. Refuses a zip beyond itch.io's limits: more than
# 1,000 files, a path longer than 240 characters, a file over 200 MB.
#   tools/web-zip.sh PAGE_DIR OUTPUT.zip
set -euo pipefail
page="$(cd "${1:?usage: tools/web-zip.sh PAGE_DIR OUTPUT.zip}" && pwd)"
output="$(realpath -m "${2:?usage: tools/web-zip.sh PAGE_DIR OUTPUT.zip}")"
for needed in index.html LICENSE service-worker.js kelvaro640.wasm kelvaro320.wasm data/page.json; do
  [ -f "$page/$needed" ] || { echo "web-zip: $page has no $needed; build the page first" >&2; exit 1; }
done
partial="$output.new"
rm -f "$partial"
# The same order and no timestamps of the build machine's clock beyond the
# files' own, so two packs of one build list the same.
(cd "$page" && find . -type f ! -path './test-artefacts/*' | sed 's#^\./##' | LC_ALL=C sort |
  zip -q -X -D "$partial" -@)
files=0
while IFS= read -r name; do
  files=$((files + 1))
  if [ "${#name}" -gt 240 ]; then echo "web-zip: path longer than 240 characters: $name" >&2; rm -f "$partial"; exit 1; fi
done < <(unzip -Z1 "$partial")
if [ "$files" -gt 1000 ]; then echo "web-zip: $files files, more than 1000" >&2; rm -f "$partial"; exit 1; fi
largest="$(unzip -Zl "$partial" | awk '$1 ~ /^-/ { if ($4 > max) max = $4 } END { print max + 0 }')"
if [ "$largest" -gt $((200 * 1024 * 1024)) ]; then
  echo "web-zip: a file of $largest bytes, more than 200 MB" >&2; rm -f "$partial"; exit 1
fi
mv -f "$partial" "$output"
echo "$output: $files files, $(stat -c %s "$output") bytes"
