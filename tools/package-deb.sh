#!/usr/bin/env bash
# Packs a built tree into kelvaro_VERSION_ARCH.deb in OUTPUT_DIR and checks
# the package: its desktop files and metainfo validate, lintian finds no
# error. Prints the package's path last.
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
desktop-file-validate "$work"/root/usr/share/applications/*.desktop
appstreamcli validate --no-net "$work"/root/usr/share/metainfo/*.metainfo.xml
# Errors fail; the warnings that remain are printed (the README says why
# each one stays).
lintian --tag-display-limit 0 "$deb" | tee "$work/lintian.txt"
if grep -q '^E: ' "$work/lintian.txt"; then
  echo "package-deb: lintian reports errors" >&2
  exit 1
fi
mv "$deb" "$out/"
echo "$out/$(basename "$deb")"
