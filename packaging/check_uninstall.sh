#!/usr/bin/env bash
# `cmake --install` and then the uninstall target: every file the install
# wrote is gone again, and with it Velmora's own folders.
# usage: check_uninstall.sh <cmake> <build dir>
set -uo pipefail
cmake="$1" build="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

"$cmake" --install "$build" --prefix "$work/prefix" >"$work/log" 2>&1 || fail "cmake --install: $(cat "$work/log")"
[ -x "$work/prefix/bin/velmora" ] || fail "nothing installed"
"$cmake" --build "$build" --target uninstall >"$work/log" 2>&1 || fail "uninstall: $(cat "$work/log")"
left="$(find "$work/prefix" -type f -o -type l)"
[ -z "$left" ] || fail "left behind: $left"
[ ! -e "$work/prefix/share/velmora" ] || fail "share/velmora is still there"
echo "ok: installed and uninstalled"
