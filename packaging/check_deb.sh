#!/usr/bin/env bash
# The .deb as a user receives it: CPack packs the already built tree, the
# package holds the program, its data, the menu entry, the icons and the
# metadata under /usr, depends on the libraries the program runs on, and its
# menu entry and metadata pass their validators without a remark.
# usage: check_deb.sh <cpack> <build dir> <app id> <capture tool built: 0|1>
set -uo pipefail
cpack="$1"
build="$2"
app_id="$3"
with_capture="$4"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log" >&2; fail "cpack"; }
debs=("$work"/velmora_*.deb)
[ ${#debs[@]} = 1 ] && [ -f "${debs[0]}" ] || fail "expected one velmora_*.deb, found: ${debs[*]}"
deb="${debs[0]}"

contents="$(dpkg-deb -c "$deb" | awk '{print $6}')"
expected=(./usr/bin/velmora ./usr/share/velmora/data/Tolvane.it ./usr/share/velmora/data/code.bmp
          ./usr/share/velmora/data/shit.bmp "./usr/share/applications/$app_id.desktop"
          "./usr/share/metainfo/$app_id.metainfo.xml" ./usr/share/icons/hicolor/scalable/apps/velmora.svg)
for size in 48 128 256; do expected+=("./usr/share/icons/hicolor/${size}x$size/apps/velmora.png"); done
libraries=(libsdl2-2.0-0 libgtk-3-0 libopenmpt0 libgl1 libglu1-mesa)
if [ "$with_capture" = 1 ]; then
  expected+=(./usr/bin/velmora-capture)
  libraries+=(libavformat59 libavcodec59 libswscale6 libswresample4 libavutil57)
fi
for file in "${expected[@]}"; do
  grep -qxF "$file" <<<"$contents" || fail "$file is not in the package"
done

depends="$(dpkg-deb -f "$deb" Depends)"
for library in "${libraries[@]}"; do
  grep -qE "(^|, |\| )$library( \(| \||,|$)" <<<"$depends" || fail "Depends lacks $library: $depends"
done
[ "$(dpkg-deb -f "$deb" Package)" = velmora ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "section $(dpkg-deb -f "$deb" Section)"
[ "$(dpkg-deb -f "$deb" Description | wc -l)" -ge 2 ] || fail "no long description"

dpkg-deb -x "$deb" "$work/root" || fail "dpkg-deb -x"
remarks="$(desktop-file-validate "$work/root/usr/share/applications/$app_id.desktop" 2>&1)" ||
  fail "desktop-file-validate: $remarks"
[ -z "$remarks" ] || fail "desktop-file-validate: $remarks"
remarks="$(appstreamcli validate --no-net --pedantic "$work/root/usr/share/metainfo/$app_id.metainfo.xml" 2>&1)" ||
  fail "appstreamcli validate: $remarks"
if grep -qE '^[EWIP]:' <<<"$remarks"; then fail "appstreamcli validate: $remarks"; fi
echo "ok: $(basename "$deb")"
