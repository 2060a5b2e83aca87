#!/usr/bin/env bash
# The Debian package of a built tree: it packs and passes its checks
# (tools/package-deb.sh), holds what a player needs where Debian keeps it,
# and the unpacked kelvaro640, started from an unrelated folder with no help
# from the environment, finds its course and data: it gets as far as the
# missing display (status 1), which comes only after the course has loaded.
#   package_test.sh SOURCE_DIR BUILD_DIR
# Status 77 (skipped) when a packaging tool is missing.
set -euo pipefail
src="$1"
build="$2"
for tool in cpack dpkg-deb dpkg-shlibdeps file lintian desktop-file-validate appstreamcli; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "skipped: $tool is missing (bash tools/setup.sh package installs it)"
    exit 77
  fi
done
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

deb="$(bash "$src/tools/package-deb.sh" "$build" "$work" | tail -n1)"
version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")"
[ "$(basename "$deb")" = "kelvaro_${version}_$(dpkg --print-architecture).deb" ] ||
  { echo "unexpected package name $deb"; exit 1; }

dpkg-deb -c "$deb" | awk '{print $6}' | sed 's#^\./#/#' >"$work/contents"
for path in /usr/games/kelvaro640 /usr/games/kelvaro320 \
  /usr/share/games/kelvaro/inp1.txt /usr/share/games/kelvaro/BITMAPS/bkgr1.bmp \
  /usr/share/games/kelvaro/BITMAPS/x320quit.bmp /usr/share/games/kelvaro/FONTS/little.fnt \
  /usr/share/applications/kelvaro640.desktop /usr/share/applications/kelvaro320.desktop \
  /usr/share/icons/hicolor/16x16/apps/kelvaro.png /usr/share/icons/hicolor/256x256/apps/kelvaro.png \
  /usr/share/man/man6/kelvaro.6.gz /usr/share/doc/kelvaro/copyright; do
  grep -qx "$path" "$work/contents" || { echo "the package lacks $path"; cat "$work/contents"; exit 1; }
done
grep -q '^/usr/share/metainfo/.*\.metainfo\.xml$' "$work/contents" || { echo "no metainfo"; exit 1; }

dpkg -x "$deb" "$work/root"
grep -q "<release version=\"$version\"" "$work"/root/usr/share/metainfo/*.metainfo.xml ||
  { echo "the metainfo does not name version $version"; exit 1; }
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
