#!/usr/bin/env bash
# The .deb on a system that holds nothing else: a fresh Debian 12 root
# (debootstrap --variant=minbase) with only what the package's Depends pull
# in, no Recommends; the package installed there with dpkg, then both
# programs run inside it (chroot): velmora-capture headless, a still into a
# folder, and the demo on an Xvfb, through its launcher to its first frames.
# The root is made once per Depends list and kept outside the clone
# (~/.cache/velmora/rootfs-<hash>); each run works on an overlay of it.
# Needs root (chroot and mounts): otherwise it is skipped (status 77).
# usage: check_clean_root.sh <cpack> <build dir>
set -uo pipefail
cpack="$1" build="$2"
[ "$(id -u)" = 0 ] || { echo "skipped: chroot and mounts need root"; exit 77; }
for tool in debootstrap unshare Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed" >&2; exit 1; }
done
suite=bookworm
mirror=http://deb.debian.org/debian
work="$(mktemp -d)"
xvfb_pid=""
cleanup() {
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; fi
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work/pack" >"$work/log" 2>&1 || fail "cpack: $(cat "$work/log")"
deb="$(ls "$work"/pack/velmora_*.deb)" || fail "no .deb"
depends="$(dpkg-deb -f "$deb" Depends)"
key="$(printf '%s %s minbase\n%s\n' "$suite" "$mirror" "$depends" | sha256sum | cut -c1-16)"
cache_root="${XDG_CACHE_HOME:-$HOME/.cache}/velmora"
base="$cache_root/rootfs-$key"

# Runs a command in a private mount namespace: the mounts go with it.
in_namespace() { unshare --mount --propagation private bash -c "$1"; }

make_base() {
  local fresh="$base.new"
  rm -rf "$fresh"
  debootstrap --variant=minbase "$suite" "$fresh" "$mirror" >"$work/debootstrap.log" 2>&1 ||
    fail "debootstrap: $(tail -20 "$work/debootstrap.log")"
  # Updates and security fixes, as a user's system has them: the package is
  # built against them.
  cat >"$fresh/etc/apt/sources.list" <<SOURCES
deb $mirror $suite main
deb $mirror $suite-updates main
deb http://deb.debian.org/debian-security $suite-security main
SOURCES
  cp "$deb" "$fresh/tmp/velmora.deb"
  in_namespace "
    mount -t proc proc '$fresh/proc' && mount --bind /dev '$fresh/dev' &&
    chroot '$fresh' apt-get update -q &&
    DEBIAN_FRONTEND=noninteractive chroot '$fresh' apt-get install -y -q --no-install-recommends /tmp/velmora.deb &&
    chroot '$fresh' dpkg --purge velmora && chroot '$fresh' apt-get clean" >"$work/apt.log" 2>&1 ||
    fail "installing the package's dependencies: $(tail -20 "$work/apt.log")"
  rm -f "$fresh/tmp/velmora.deb"
  mv "$fresh" "$base"
}
mkdir -p "$cache_root"
(
  flock 9
  [ -d "$base" ] || make_base
) 9>"$cache_root/rootfs.lock" || exit 1
echo "root: $base, ready after $SECONDS s"

# An X server of the test's own; the root sees its socket.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 1 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start"
display=":$(head -1 "$work/display")"

mkdir -p "$work/upper" "$work/overlay-work" "$work/root"
cp "$deb" "$work/velmora.deb"
# Inside the namespace: the overlay root, the package, then the two programs.
cat >"$work/inside.sh" <<'INSIDE'
set -uo pipefail
work="$1" base="$2" display="$3"
root="$work/root"
fail() { echo "FAIL: $*" >&2; exit 1; }
mount -t overlay overlay -o "lowerdir=$base,upperdir=$work/upper,workdir=$work/overlay-work" "$root" || fail "overlay"
mount -t proc proc "$root/proc" && mount --bind /dev "$root/dev" || fail "proc, dev"
mkdir -p "$root/tmp/.X11-unix" && mount --bind /tmp/.X11-unix "$root/tmp/.X11-unix" || fail "X socket"
cp "$work/velmora.deb" "$root/tmp/" && chroot "$root" dpkg -i /tmp/velmora.deb >"$work/dpkg.log" 2>&1 ||
  fail "dpkg -i: $(cat "$work/dpkg.log")"
run() { chroot "$root" env -i PATH=/usr/bin:/bin HOME=/root "$@"; }

# The capture tool, headless: no display, no sound device.
run sh -c 'cd /tmp && velmora-capture --still 8:34 --out-dir st' >"$work/capture.log" 2>&1 ||
  fail "velmora-capture: $(cat "$work/capture.log")"
[ "$(head -c 8 "$root/tmp/st/08-34.png" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] || fail "no PNG still"
echo "velmora-capture: $(tail -1 "$work/capture.log")"

# The demo: launcher, Return, the rendering window, its first frames, Escape.
run DISPLAY="$display" SDL_AUDIODRIVER=dummy velmora >"$work/demo.out" 2>"$work/demo.err" &
pid=$!
export DISPLAY="$display"
window_of_width() {
  local id
  for id in $(xdotool search --onlyvisible --name '^Orvak 2002 - Velmora$' 2>/dev/null); do
    [ "$(xwininfo -id "$id" | awk '/^  Width/ {print $2}')" = "$1" ] && { echo "$id"; return 0; }
  done
  return 1
}
wait_window() {
  local i id
  for i in $(seq 1 300); do
    id="$(window_of_width "$1")" && { echo "$id"; return 0; }
    kill -0 "$pid" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}
press() { xdotool windowfocus --sync "$1" 2>/dev/null; sleep 0.2; xdotool key "$2"; }
launcher="$(wait_window 339)" || fail "no launcher: $(cat "$work/demo.err")"
press "$launcher" Return
demo="$(wait_window 640)" || fail "no rendering window: $(cat "$work/demo.err")"
sleep 3  # the first frame, the pause, the first frames of the loop
kill -0 "$pid" 2>/dev/null || fail "the demo ended early: $(cat "$work/demo.err")"
press "$demo" Escape
for _ in $(seq 1 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "still running after Escape"
wait "$pid" || fail "exit status $?"
if grep '^velmora:' "$work/demo.err"; then fail "the demo reported a failure"; fi
echo "velmora: launcher, rendering window, ended by Escape"
INSIDE
in_namespace "bash '$work/inside.sh' '$work' '$base' '$display'" || exit 1
echo "ok: installed and run in a clean Debian 12 root in $SECONDS s"
