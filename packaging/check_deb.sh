#!/usr/bin/env bash
# The .deb as a user receives it: CPack packs the already built tree; the
# package holds the program, its data, menu entry, icons, metadata, manual
# pages, copyright and changelog under /usr, depends on the libraries the
# program runs on (those SDL opens at run time included), its copyright file
# is machine-readable, and its menu entry and metadata pass their validators
# without a remark.
# usage: check_deb.sh <cpack> <build dir> <app id> <capture tool built: 0|1>
#                     <manual pages made: 0|1>
set -uo pipefail
cpack="$1" build="$2" app_id="$3" with_capture="$4" with_man="$5"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/log" 2>&1 || fail "cpack: $(cat "$work/log")"
deb="$(ls "$work"/velmora_*.deb)" && [ "$(wc -l <<<"$deb")" = 1 ] || fail "not one velmora_*.deb: $deb"

share=./usr/share
expected=(./usr/bin/velmora $share/velmora/data/{Tolvane.it,code.bmp,shit.bmp}
          "$share/applications/$app_id.desktop" "$share/metainfo/$app_id.metainfo.xml"
          $share/icons/hicolor/{48x48,128x128,256x256}/apps/velmora.png $share/icons/hicolor/scalable/apps/velmora.svg
          $share/doc/velmora/{copyright,changelog.Debian.gz})
libraries=(libsdl2-2.0-0 libgtk-3-0 libopenmpt0 libgl1 libglu1-mesa libegl1 libegl-mesa0 libgl1-mesa-dri)
if [ "$with_capture" = 1 ]; then
  expected+=(./usr/bin/velmora-capture)
  [ "$with_man" = 1 ] && expected+=($share/man/man1/velmora-capture.1.gz)
  libraries+=(libavformat59 libavcodec59 libswscale6 libswresample4 libavutil57)
fi
[ "$with_man" = 1 ] && expected+=($share/man/man6/velmora.6.gz)
contents="$(dpkg-deb -c "$deb" | awk '{print $6}')"
for file in "${expected[@]}"; do grep -qxF "$file" <<<"$contents" || fail "$file is not in the package"; done
depends="$(dpkg-deb -f "$deb" Depends)"
for library in "${libraries[@]}"; do
  grep -qE "(^|, |\| )$library( \(| \||,|$)" <<<"$depends" || fail "Depends lacks $library: $depends"
done
[ "$(dpkg-deb -f "$deb" Package Section | tr '\n' ' ')" = "Package: velmora Section: games " ] || fail "name or section"
[ "$(dpkg-deb -f "$deb" Description | wc -l)" -ge 2 ] || fail "no long description"

dpkg-deb -x "$deb" "$work/root" || fail "dpkg-deb -x"
doc="$work/root/usr/share/doc/velmora"
head -1 "$doc/copyright" | grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
  fail "copyright is not machine-readable"
grep -qx 'License: Expat' "$doc/copyright" || fail "copyright names no licence"
zcat "$doc/changelog.Debian.gz" | head -1 | grep -q "^velmora ($(dpkg-deb -f "$deb" Version)) " ||
  fail "changelog.Debian.gz does not start with this version"
remarks="$(desktop-file-validate "$work/root/usr/share/applications/$app_id.desktop" 2>&1)" && [ -z "$remarks" ] ||
  fail "desktop-file-validate: $remarks"
remarks="$(appstreamcli validate --no-net --pedantic "$work/root/usr/share/metainfo/$app_id.metainfo.xml" 2>&1)" &&
  ! grep -qE '^[EWIP]:' <<<"$remarks" || fail "appstreamcli validate: $remarks"
echo "ok: $(basename "$deb")"
