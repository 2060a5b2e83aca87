#!/usr/bin/env bash
# The README's package command, run as a new user runs it: in a fresh copy
# of the project (what a clone holds, no build folder), `bash
# tools/package.sh` must write a package that passes its checks (lintian,
# desktop-file-validate, appstreamcli), holds what a player needs where
# Debian keeps it, carries the MIT licence in Debian's machine-readable
# copyright format, and whose kelvaro640, unpacked and started from an
# unrelated folder with no help from the environment, finds its course and
# data: it gets as far as the missing display (status 1), which comes only
# after the course has loaded.
#   package_test.sh SOURCE_DIR
# Status 77 (skipped) when a packaging tool is missing.
set -euo pipefail
src="$1"
for tool in cpack dpkg-deb dpkg-shlibdeps file lintian desktop-file-validate appstreamcli; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "skipped: $tool is missing (bash tools/setup.sh package installs it)"
    exit 77
  fi
done
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# The project as a clone has it: no build folders, packages or zips.
mkdir "$work/clone"
tar -C "$src" -c --exclude-vcs --exclude='./build*' --exclude=./fuzz-out --exclude='./kelvaro_*.deb' \
  --exclude=./kelvaro-windows.zip --exclude=node_modules . | tar -C "$work/clone" -x
if ! (cd "$work/clone" && bash tools/package.sh "$work/out") >"$work/package.log" 2>&1; then
  tail -n 40 "$work/package.log"
  echo "bash tools/package.sh failed in a fresh copy of the project"
  exit 1
fi
deb="$(tail -n1 "$work/package.log")"
build="$work/clone/build-package"
version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")"
[ "$(basename "$deb")" = "kelvaro_${version}_$(dpkg --print-architecture).deb" ] && [ -f "$deb" ] ||
  { echo "unexpected package $deb"; exit 1; }

dpkg-deb -c "$deb" | awk '{print $6}' | sed 's#^\./#/#' >"$work/contents"
for path in /usr/games/kelvaro640 /usr/games/kelvaro320 /usr/games/kelvaro-convert \
  /usr/share/games/kelvaro/inp1.txt /usr/share/games/kelvaro/BITMAPS/bkgr1.bmp \
  /usr/share/games/kelvaro/BITMAPS/x320quit.bmp /usr/share/games/kelvaro/FONTS/little.fnt \
  /usr/share/applications/kelvaro640.desktop /usr/share/applications/kelvaro320.desktop \
  /usr/share/icons/hicolor/16x16/apps/kelvaro.png /usr/share/icons/hicolor/256x256/apps/kelvaro.png \
  /usr/share/man/man6/kelvaro.6.gz /usr/share/man/man6/kelvaro-convert.6.gz /usr/share/doc/kelvaro/copyright; do
  grep -qx "$path" "$work/contents" || { echo "the package lacks $path"; cat "$work/contents"; exit 1; }
done
grep -q '^/usr/share/metainfo/.*\.metainfo\.xml$' "$work/contents" || { echo "no metainfo"; exit 1; }

dpkg -x "$deb" "$work/root"
grep -q "<release version=\"$version\"" "$work"/root/usr/share/metainfo/*.metainfo.xml ||
  { echo "the metainfo does not name version $version"; exit 1; }
metainfo="$(echo "$work"/root/usr/share/metainfo/*.metainfo.xml)"
grep -q '<project_license>MIT</project_license>' "$metainfo" &&
  grep -q '<metadata_license>CC0-1.0</metadata_license>' "$metainfo" ||
  { echo "the metainfo does not name the MIT licence and CC0-1.0 for itself"; exit 1; }

# The copyright file in Debian's machine-readable format: every file under
# MIT, and the licence's terms word for word those of LICENSE.
copyright="$work/root/usr/share/doc/kelvaro/copyright"
head -n1 "$copyright" | grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
  { echo "the copyright file is not in the machine-readable format"; cat "$copyright"; exit 1; }
awk '/^Files: \*$/ {files = 1} files && /^$/ {exit} files' "$copyright" | grep -qx 'License: MIT' ||
  { echo "the copyright file does not put every file under MIT"; cat "$copyright"; exit 1; }
awk '/^License: MIT$/ {n++} n == 2 && /^ / {print}' "$copyright" | sed 's/^ //; s/^\.$//' >"$work/terms"
sed '1,/^Copyright (c)/d' "$src/LICENSE" | sed '/./,$!d' >"$work/licence-terms"
diff -u "$work/licence-terms" "$work/terms" ||
  { echo "the copyright file's MIT terms differ from LICENSE"; exit 1; }

zcat "$work/root/usr/share/man/man6/kelvaro.6.gz" | grep -q "Kelvaro $version" ||
  { echo "the manual page does not name version $version"; exit 1; }

mkdir "$work/elsewhere"
cd "$work/elsewhere"
status=0
env -u RK_ROOT -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER \
  "$work/root/usr/games/kelvaro640" >"$work/out.txt" 2>&1 || status=$?
if [ "$status" -ne 1 ] || ! grep -q 'RK Fatal Error!: Keine Anzeige' "$work/out.txt"; then
  echo "the unpacked kelvaro640 ended with status $status:"
  cat "$work/out.txt"
  exit 1
fi
echo "package $(basename "$deb") passed"
