#!/usr/bin/env bash
# Packs a built tree into kelvaro_VERSION_ARCH.deb in OUTPUT_DIR and checks
# the package: its desktop files and metainfo validate, lintian finds no
# error or warning. Prints the package's path last.
#   tools/package-deb.sh BUILD_DIR OUTPUT_DIR
set -euo pipefail
build="$(cd "$1" && pwd)"
out="$(mkdir -p "$2" && cd "$2" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

cpack --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 || {
  cat "$work/cpack.log" >&2
  exit 1
}
deb="$(find "$work" -maxdepth 1 -name 'kelvaro_*.deb' | head -n1)"
[ -n "$deb" ] || { echo "package-deb: cpack wrote no package" >&2; cat "$work/cpack.log" >&2; exit 1; }

mkdir "$work/root"
dpkg-deb -x "$deb" "$work/root"
# Warnings fail as errors do: a published package shows none.
# desktop-file-validate says nothing about a file without fault, and its
# warnings leave the status at 0.
desktop_faults="$(desktop-file-validate "$work"/root/usr/share/applications/*.desktop 2>&1)" || true
if [ -n "$desktop_faults" ]; then
  echo "$desktop_faults" >&2
  echo "package-deb: desktop-file-validate reports faults" >&2
  exit 1
fi
appstreamcli validate --no-net --strict "$work"/root/usr/share/metainfo/*.metainfo.xml
lintian --tag-display-limit 0 "$deb" | tee "$work/lintian.txt"
if grep -q '^[EW]: ' "$work/lintian.txt"; then
  echo "package-deb: lintian reports errors or warnings" >&2
  exit 1
fi
mv "$deb" "$out/"
echo "$out/$(basename "$deb")"
