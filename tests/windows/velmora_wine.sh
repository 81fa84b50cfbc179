#!/usr/bin/env bash
# End-to-end runs of the Windows release under Wine, on an X server of their
# own, driven with xdotool like the Linux runs (whose helpers and fixture
# writer this script borrows): the launcher's dialog with its controls, its
# choice, the greetings panel, the rendering window and its picture, whole
# runs with each kind of audio output, and the failures that end in an
# "ERROR" box. The program is the one in the zip, unzipped afresh per case.
# usage: velmora_wine.sh <case> <zip> <win_probe.exe> <launcher_driver.exe>
#                        <compare_rendering.exe> <console_parent.exe> <make_fixture_data>
#                        <x11_probe> <wine prefix>
# The prefix is the last argument, or a WINEPREFIX in the environment, or,
# when ctest hands the case a "wineprefix" resource (scripts/windows makes two
# per test run), the folder of that name beside the last argument; a prefix
# that is not set up yet is made here.
set -uo pipefail

case_name="$1"
zip="$2"
win_probe="$3"
launcher_driver_exe="$4"
compare_rendering="$5"
console_parent="$6"
fixture_writer="$7"
x11="$8"
default_prefix="$9"

# Helpers only: the Linux script returns before running a case of its own.
source "$(dirname "${BASH_SOURCE[0]}")/../shell/velmora_e2e.sh" \
  "$case_name" "" "" "$x11" "$fixture_writer" "" "" "" ""

granted="${CTEST_RESOURCE_GROUP_0_WINEPREFIX:-}"  # id:<name>,slots:1
if [ -n "$granted" ]; then
  granted="${granted#id:}"
  WINEPREFIX="$(dirname "$default_prefix")/${granted%%,*}"
fi
export WINEPREFIX="${WINEPREFIX:-$default_prefix}" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

# Wine takes 2 s more to end a program with a window open: with no window
# manager on the case's X server, it waits that long for the window to be
# withdrawn. A program that ignores a request still stops no test for long.
quit_seconds=5

# Wine's processes of a case end with it: the next case has another display.
cleanup() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  fi
  wineserver --kill 2>/dev/null
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; fi
  rm -rf "$work"
}

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  (unset DISPLAY; wineboot --init && wineserver --wait) >/dev/null 2>&1 || fail "wineboot --init"
fi

unzip -q "$zip" -d "$work/zip" || fail "cannot unzip $zip"
app="$(echo "$work"/zip/velmora-*-win64)"
[ -f "$app/velmora.exe" ] || fail "no velmora.exe in $zip"

# A command that runs a Windows program under Wine in the same process, so
# that the helpers' process id, windows and exit status are the program's.
wine_command() {  # name exe
  printf '#!/bin/sh\nexec wine "%s" "$@"\n' "$2" >"$work/$1"
  chmod +x "$work/$1"
  echo "$work/$1"
}
velmora="$(wine_command run-velmora "$app/velmora.exe")"
windows_path() { local path="Z:$1"; echo "${path//\//\\}"; }

# What Windows itself says is on screen (win_probe.exe windows).
probe() { wine "$win_probe" windows 2>/dev/null | tr -d '\r'; }
# The line of the top-level window captioned $2 in probe output $1, and the
# control lines under it.
window_line() { grep -m1 "^window \"$2\"" <<<"$1"; }
controls_of() { awk -v head="window \"$2\"" 'index($0, head) == 1 {on = 1; next} /^window/ {on = 0} on' <<<"$1"; }
field() { sed -n "s/.* $2=\([^ ]*\).*/\1/p" <<<"$1"; }  # line name -> value

# Dialog units to pixels the way Windows maps them, from base units.
mul_div() { echo $((($1 * $2 + $3 / 2) / $3)); }

# The launcher as Windows has it: caption, styles, at the screen's corner,
# and each control with its id, text, class, style and place in dialog units
# (base units read off the client area, 226 x 84 units).
check_launcher_dialog() {
  local windows line client base_x base_y
  windows="$(probe)"
  line="$(window_line "$windows" "Orvak 2002 - Velmora")" || fail "no launcher in: $windows"
  [ "$(field "$line" class)" = "#32770" ] || fail "launcher is not a dialog: $line"
  [ "$(field "$line" style)" = "WS_POPUP|WS_CAPTION|WS_SYSMENU|WS_MINIMIZEBOX|DS_MODALFRAME|DS_SETFONT" ] ||
    fail "launcher styles: $line"
  [[ "$(field "$line" rect)" == 0,0,* ]] || fail "launcher not at the screen's corner: $line"
  IFS=, read -r _ _ client_w client_h <<<"$(field "$line" client)"
  base_x=$(((client_w * 4 + 113) / 226))
  base_y=$(((client_h * 8 + 42) / 84))
  local id text class style x y w h expected actual
  while IFS=';' read -r id text class style x y w h; do
    expected="class=$class style=$style at=$(mul_div "$x" "$base_x" 4),$(mul_div "$y" "$base_y" 8)"
    expected+=",$(mul_div "$w" "$base_x" 4),$(mul_div "$h" "$base_y" 8)"
    actual="$(grep " id=$id " <<<"$(controls_of "$windows" "Orvak 2002 - Velmora")")" ||
      fail "no control $id"
    # Windows gives the checked radio button the tab stop.
    actual="$(sed 's/|WS_GROUP|WS_TABSTOP /|WS_GROUP /' <<<"$actual")"
    [[ "$actual" == *" $expected "*"text=\"$text\"" ]] || fail "control $id: $actual, not $expected text=\"$text\""
  done <<'EOF'
1;OK;Button;BS_DEFPUSHBUTTON|WS_CHILD|WS_VISIBLE|WS_TABSTOP;135;17;50;14
2;Cancel;Button;BS_PUSHBUTTON|WS_CHILD|WS_VISIBLE|WS_TABSTOP;135;39;50;14
1003;Fullscreen;Button;BS_AUTORADIOBUTTON|WS_CHILD|WS_VISIBLE|WS_GROUP;14;21;77;12
1004;Windowed;Button;BS_AUTORADIOBUTTON|WS_CHILD|WS_VISIBLE|WS_GROUP;14;36;77;12
1005;See Greetz ... >> ;Button;BS_PUSHBUTTON|WS_CHILD|WS_VISIBLE|WS_TABSTOP;7;64;70;13
EOF
  [ "$(controls_of "$windows" "Orvak 2002 - Velmora" | grep -c ' control ')" = 5 ] || fail "not five controls"
  grep -q ' id=1004 .* checked=1 ' <<<"$windows" && grep -q ' id=1003 .* checked=0 ' <<<"$windows" ||
    fail "Windowed is not the only choice checked"
}

# The greetings panel as Windows has it: a borderless popup owned by the
# launcher, directly under it and exactly as wide, holding the greetings the
# Linux launcher shows, in order. Prints the panel's height.
check_greetings_panel() {
  local windows launcher panel expected
  windows="$(probe)"
  launcher="$(window_line "$windows" "Orvak 2002 - Velmora")" || fail "no launcher"
  panel="$(grep -m1 '^window "" class=#32770 .*owner="Orvak 2002 - Velmora"' <<<"$windows")" ||
    fail "no greetings panel in: $windows"
  [ "$(field "$panel" style)" = "WS_POPUP|WS_BORDER|DS_SETFONT" ] || fail "panel styles: $panel"
  IFS=, read -r ll lt lr lb <<<"$(field "$launcher" rect)"
  IFS=, read -r pl pt pr pb <<<"$(field "$panel" rect)"
  [ "$pl $pt $((pr - pl))" = "$ll $lb $((lr - ll))" ] || fail "panel at $pl,$pt to $pr,$pb; launcher $ll,$lt to $lr,$lb"
  expected="$(sed -n 's/^#define GREETINGS_[A-Z_]* "\(.*\)"$/\1/p' "$(dirname "${BASH_SOURCE[0]}")/../../shell/GreetingsText.h")"
  [ "$(controls_of "$windows" "" | sed -n 's/.* text="\(.*\)"$/\1/p')" = "$expected" ] ||
    fail "panel texts: $(controls_of "$windows" "")"
  echo $((pb - pt))
}


# Whole runs and runs that end in a box, differing only in data. Columns:
#   name | make_fixture_data options (@nowhere: the program and SDL2.dll
#   alone, started from a folder without data/) | environment | expect:
#   box <text> (the stderr line and an "ERROR" box, then status 0) or plays
#   [<line>] (to its own end, status 0, with that one stderr line)
run_row() {
  local row fixture envs expect text
  row="$(grep -E "^$1 +\|" <<'ROWS'
plays_to_end    |                          |                       | plays
device_lost     | --tiny-module            | SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=Z:\dev\full | plays velmora: the audio device stopped; the demo plays on without sound
disk_audio      | --short-module           | SDL_AUDIODRIVER=disk  | plays
no_data         | @nowhere                 |                       | box Error loadin graphix
broken_module   | --put Tolvane.it random  |                       | box Error bass init
no_audio_device |                          | SDL_AUDIODRIVER=      | box Error bass init
ROWS
)" || fail "no row $1"
  IFS='|' read -r _ fixture envs expect <<<"$row"
  fixture="$(trim "$fixture")" envs="$(trim "$envs")" expect="$(trim "$expect")"
  text="${expect#* }"
  [ "$text" = "$expect" ] && text=""
  if [ "$fixture" = @nowhere ]; then
    mkdir "$work/bin" "$work/cwd"
    cp "$app/velmora.exe" "$app/SDL2.dll" "$work/bin/"
    velmora="$(wine_command run-bare "$work/bin/velmora.exe")" run_dir="$work/cwd"
  else
    make_data $fixture
  fi
  [ -z "$envs" ] || export ${envs?}
  [ "$1" = disk_audio ] && export SDL_DISKAUDIOFILE="$(windows_path "$work/audio.raw")"
  case "$expect" in
  box*) error_box_run "$text" ;;
  plays*) runs_to_its_end "$velmora" 90 "$text" ;;
  esac
}

# Quitting the ways Windows asks a program to: the session ending (as at a
# log-off) and the close box, besides Escape; the run ends the normal way,
# status 0, no box left.
act() {  # action target
  case "$1" in
  Escape) press "$2" Escape ;;
  close) "$x11" close "$2" || fail "x11_probe close" ;;
  endsession) wine "$win_probe" endsession >/dev/null 2>&1 ;;
  ctrl_c) touch "$work/ctrl_c" ;;
  esac
}

# When (launcher, scene: past the pause, box: an "ERROR" box up) and how.
quit_row() {
  local row when action target
  row="$(grep -E "^$1 +\|" <<'QUITS'
launcher_end_session | launcher | endsession
scene_end_session    | scene    | endsession
scene_close          | scene    | close
box_end_session      | box      | endsession
launcher_ctrl_c      | launcher | ctrl_c
scene_ctrl_c         | scene    | ctrl_c
QUITS
)" || return 1
  IFS='|' read -r _ when action <<<"$row"
  when="$(trim "$when")" action="$(trim "$action")"
  if [ "$action" = ctrl_c ]; then
    # Started from a prompt's console, whose Ctrl+C the parent presses. The
    # windows are the child's, so they are looked for on the case's own X
    # server by name alone.
    printf '#!/bin/sh\nexec wine "%s" "%s" "%s"\n' "$console_parent" "$(windows_path "$app/velmora.exe")" \
      "$(windows_path "$work/ctrl_c")" >"$work/run-in-console"
    chmod +x "$work/run-in-console"
    velmora="$work/run-in-console"
    windows_named() { xdotool search --all --onlyvisible --name "$1" 2>/dev/null; }
  fi
  case "$when" in
  launcher)
    make_data
    start "$velmora"
    target="$(wait_launcher)" || exit 1
    act_and_end "$action" "$target"
    [ -z "$(wait_window "$title" 0.1 640)" ] || fail "a rendering window appeared"
    only_velmora_line ""
    ;;
  scene)
    make_data
    start_demo windowed
    sleep 2.2
    wait_exit 0 && fail "ended before $action, status $exit_status"
    act_and_end "$action" "$target"
    only_velmora_line ""
    ;;
  box)
    # Not missing: the data beside the program would stand in for it.
    make_data --put code.bmp random
    start_and_choose windowed
    target="$(wait_error_box 20)" || exit 1
    act_and_end "$action" "$target"
    only_velmora_line "velmora: Error loadin graphix
velmora: Error loadin graphix: data/code.bmp: not a BMP file (bad signature)"
    ;;
  esac
}

start_private_display
case "$case_name" in
launcher)
  make_data
  start "$velmora"
  launcher="$(wait_launcher)" || exit 1
  check_launcher_dialog
  escape_key "$launcher"
  expect_exit_zero 5
  no_velmora_lines
  ;;
launcher_cancel) launcher_closes_without_demo click_cancel ;;
launcher_close_box) launcher_closes_without_demo close_box ;;
launcher_choice)
  # The choice itself, read from the launcher alone; the radio buttons are
  # kept exclusive by the dialog procedure.
  velmora="$(wine_command run-launcher "$launcher_driver_exe")"
  enter_key() { press "$1" Return; }
  while IFS='|' read -r actions expected; do
    start "$velmora"
    launcher="$(wait_launcher)" || exit 1
    for action in $actions; do "$action" "$launcher"; done
    expect_exit_zero 5
    [ "$(tr -d '\r' <"$work/stdout")" = "$expected" ] || fail "$actions: $(cat "$work/stdout"), not $expected"
  done <<'CHOICES'
enter_key|ok windowed
click_ok|ok windowed
click_fullscreen click_ok|ok fullscreen
click_fullscreen click_windowed click_fullscreen enter_key|ok fullscreen
click_fullscreen click_windowed click_ok|ok windowed
click_fullscreen click_cancel|cancelled
click_fullscreen close_box|cancelled
CHOICES
  ;;
greetings)
  make_data
  start "$velmora"
  launcher="$(wait_launcher)" || exit 1
  probe | grep -q '^window "" ' && fail "panel shown before the button"
  click_greetings "$launcher"
  height="$(check_greetings_panel)" || exit 1
  # Dragged elsewhere, the launcher takes the panel along.
  for target in "200 150" "37 411"; do
    xdotool windowmove "$launcher" $target
    sleep 0.5
    [ "$(check_greetings_panel)" = "$height" ] || fail "panel height changed after a move to $target"
  done
  click_greetings "$launcher"
  probe | grep -q '^window "" ' && fail "second press left the panel open"
  click_greetings "$launcher"
  check_greetings_panel >/dev/null || exit 1
  click_cancel "$launcher"
  expect_exit_zero 5
  no_velmora_lines
  ;;
windowed_escape)
  make_data
  start "$velmora"
  launcher="$(wait_launcher)" || exit 1
  press "$launcher" Return
  window="$(wait_rendering_window)" || fail "no rendering window"
  [ "$(geometry "$window" | cut -d' ' -f3-)" = "640 461" ] || fail "client area $(geometry "$window")"
  [ -z "$(wait_window "$title" 0.1 339)" ] || fail "launcher still shown"
  # Past the pause, in the intro: the picture is its white.
  sleep 3
  rows="$("$x11" rows "$window")"
  [ "$rows" = "0-460 white" ] || fail "rendering window rows: $(echo $rows)"
  # The frame, caption included, at the screen's corner (SDL alone puts the
  # client area there and the caption above the screen). Wine's frame grows
  # by a pixel once the window is up, after it was measured.
  line="$(window_line "$(probe)" "Orvak 2002 - Velmora")" || fail "Windows shows no rendering window"
  IFS=, read -r frame_left frame_top _ <<<"$(field "$line" rect)"
  [ "$frame_left" -ge -1 ] && [ "$frame_left" -le 0 ] && [ "$frame_top" -ge -1 ] && [ "$frame_top" -le 0 ] ||
    fail "rendering window not at the screen's corner: $line"
  press "$window" Escape
  expect_exit_zero 5
  check_no_gl_errors
  no_velmora_lines
  frames="$(tr -d '\r' <"$work/stdout" | sed -n 's/^frames //p')"
  [ -n "$frames" ] && [ "$frames" -gt 0 ] || fail "no frames drawn: $(cat "$work/stdout")"
  ;;
unicode_folder)
  # Unzipped into a folder named in several scripts and started from
  # elsewhere: the data beside the program is found through its UTF-16 name,
  # and where none is, the places looked in are reported with that name.
  folder="$work/Démos Ärger 日本語 ✓"
  mkdir -p "$folder" "$work/cwd"
  cp "$app/velmora.exe" "$app/SDL2.dll" "$folder/"
  velmora="$(wine_command run-unicode "$folder/velmora.exe")" run_dir="$work/cwd"
  "$fixture_writer" "$folder" --tiny-module || fail "make_fixture_data $folder"
  runs_to_its_end "$velmora" 90
  rm -r "$folder/data"
  error_box_run "Error loadin graphix"
  grep -qF "velmora: no data/code.bmp found; looked in " "$work/stderr" &&
    grep -qF ", $(windows_path "$folder")\\data/code.bmp" "$work/stderr" ||
    fail "the places looked in, not named as they are: $(grep 'looked in' "$work/stderr")"
  ;;
disk_audio)
  # SDL's disk driver keeps every sample the device was fed: from the first
  # audible one on, they are libopenmpt's own rendering of the module.
  run_row disk_audio
  wine "$compare_rendering" "$(windows_path "$work/data/Tolvane.it")" \
    "$(windows_path "$work/audio.raw")" 2.5 >"$work/compare" 2>&1 || fail "$(cat "$work/compare")"
  tr -d '\r' <"$work/compare"
  ;;
*) quit_row "$case_name" || run_row "$case_name" ;;
esac
echo "ok: $case_name"
