#!/usr/bin/env bash
# Every program and library in the release zip may import only DLLs that are
# in the zip itself or that every Windows 10 and 11 has: a DLL of the build
# machine's toolchain (libstdc++, libgcc, winpthread) would be missing on the
# player's machine.
# usage: check_zip_imports.sh <zip> <objdump>
set -euo pipefail
zip="$1"
objdump="$2"
system_dlls=(advapi32 cfgmgr32 comctl32 comdlg32 dinput8 gdi32 glu32 hid imm32 kernel32 msvcrt ole32
             oleaut32 opengl32 setupapi shell32 user32 version winmm ws2_32)
system_dlls=" ${system_dlls[*]/%/.dll} "

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
unzip -q "$zip" -d "$work" || { echo "FAIL: cannot unzip $zip" >&2; exit 1; }
mapfile -t binaries < <(find "$work" -type f \( -iname '*.exe' -o -iname '*.dll' \) | sort)
[ "${#binaries[@]}" -gt 0 ] || { echo "FAIL: no program in $zip" >&2; exit 1; }
shipped=" $(for binary in "${binaries[@]}"; do basename "$binary" | tr '[:upper:]' '[:lower:]'; done | tr '\n' ' ') "

status=0
for binary in "${binaries[@]}"; do
  imports="$("$objdump" -p "$binary" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr '[:upper:]' '[:lower:]')"
  [ -n "$imports" ] || { echo "FAIL: ${binary#"$work"/} imports nothing: not a Windows program?" >&2; status=1; }
  for dll in $imports; do
    if [[ "$shipped" == *" $dll "* ]]; then
      where="in the zip"
    elif [[ "$system_dlls" == *" $dll "* ]]; then
      where="Windows"
    else
      echo "FAIL: ${binary#"$work"/} imports $dll, which is neither in the zip nor part of Windows" >&2
      status=1
      continue
    fi
    echo "${binary#"$work"/}: $dll ($where)"
  done
done
exit "$status"
