#!/usr/bin/env bash
# End-to-end runs of the real velmora binary under X, driven with xdotool the
# way a person would: the launcher's buttons and keys, the greetings panel,
# the rendering window, fullscreen on screens of several modes, a whole run to
# the demo's own end, the failures that end in an "ERROR" box, and the
# installed program moved elsewhere.
# usage: velmora_e2e.sh <case> <velmora> <launcher_driver> <x11_probe> <make_fixture_data>
#                       <slow_ending_fixture> <raw_audio_span> <failing_window_driver>
#                       <capture_tool>
set -uo pipefail

case_name="$1"
velmora="$2"
launcher_driver="$3"
x11_probe="$4"
make_fixture_data="$5"
slow_ending_fixture="$6"
raw_audio_span="$7"
failing_window_driver="$8"
capture_tool="$9"

# The suite's sound server (scripts/test runs a private PulseAudio and sets
# SDL's pulseaudio driver); run alone, the silent dummy driver. The cases that
# measure the music (the disk driver) or break the device set their own.
export SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}"
export LIBGL_ALWAYS_SOFTWARE=1
title='^Orvak 2002 - Velmora$'

work="$(mktemp -d)"
pid=""
xvfb_pid=""
cleanup() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
    # SDL shows its message boxes from a forked child: end that one too.
    local child
    for child in $(ps -o pid= --ppid "$pid"); do kill "$child" 2>/dev/null; done
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  fi
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; fi
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL ($case_name): $*" >&2
  if [ -f "$work/stderr" ]; then echo "--- program stderr:" >&2; cat "$work/stderr" >&2; fi
  if [ -s "$work/stdout" ]; then echo "--- program stdout:" >&2; cat "$work/stdout" >&2; fi
  exit 1
}

# Every case gets an X server of its own: no window manager to move, frame or
# refuse windows, no windows of other tests, a known screen: 1024 x 768 unless
# the case sets screen_size. It must not reset when its last client leaves
# (the check below, a run before the next): a program connecting during the
# reset finds no display.
start_private_display() {
  Xvfb -displayfd 3 -screen 0 "${screen_size:-1024x768}x24" -nolisten tcp -noreset 3>"$work/display" >/dev/null 2>&1 &
  xvfb_pid=$!
  local i
  for i in $(seq 1 200); do
    [ -s "$work/display" ] && break
    sleep 0.05
  done
  [ -s "$work/display" ] || fail "Xvfb did not start"
  export DISPLAY=":$(head -1 "$work/display")"
  unset WAYLAND_DISPLAY
  xdpyinfo >/dev/null 2>&1 || fail "Xvfb on $DISPLAY does not answer"
}

now() { date +%s.%N; }
elapsed_since() { echo "$(now) - $1" | bc; }
less_than() { [ "$(echo "$1 < $2" | bc)" = 1 ]; }

# Fixture data/ in the working directory; extra arguments go to make_fixture_data.
make_data() { "$make_fixture_data" "$work" "$@" || fail "make_fixture_data $*"; }

start() {
  (cd "${run_dir:-$work}" && exec "$@" >"$work/stdout" 2>"$work/stderr") &
  pid=$!
}

# Visible windows of the program under test whose title matches $1.
windows_named() { xdotool search --all --onlyvisible --pid "$pid" --name "$1" 2>/dev/null; }

geometry() {  # id -> "x y width height" of the window's client area on screen
  xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
                           /^  Width/ {w=$2} /^  Height/ {h=$2} END {print x, y, w, h}'
}

# Waits up to $2 seconds for a visible window titled $1 whose width is $3.
wait_window() {
  local pattern="$1" limit="$2" width="$3" start_time id
  start_time="$(now)"
  while less_than "$(elapsed_since "$start_time")" "$limit"; do
    for id in $(windows_named "$pattern"); do
      if [ "$(geometry "$id" | cut -d' ' -f3)" = "$width" ]; then echo "$id"; return 0; fi
    done
    kill -0 "$pid" 2>/dev/null || return 1
    sleep 0.05
  done
  return 1
}

wait_launcher() { wait_window "$title" 10 339 || fail "no launcher window"; }
wait_rendering_window() { wait_window "$title" "${1:-30}" 640; }
screen_width() { xdpyinfo | sed -n 's/ *dimensions: *\([0-9]*\)x.*/\1/p'; }

# Waits up to $1 seconds for the program to end; its status goes to
# exit_status (not printed: only this shell can wait for its own child).
exit_status=""
wait_exit() {
  local limit="$1" start_time
  start_time="$(now)"
  while kill -0 "$pid" 2>/dev/null; do
    less_than "$(elapsed_since "$start_time")" "$limit" || return 1
    sleep 0.05
  done
  wait "$pid"
  exit_status=$?
  pid=""
}

expect_exit_zero() {
  wait_exit "$1" || fail "still running after $1 s"
  [ "$exit_status" = 0 ] || fail "exit status $exit_status"
}

press() {  # window key
  timeout 3 xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"
  sleep 0.2
  xdotool key "$2"
}

# Clicks at a point given in the launcher's client coordinates.
click() {
  xdotool mousemove --window "$1" "$2" "$3"
  sleep 0.1
  xdotool click 1
  sleep 0.3
}
# Centres of the launcher's controls.
click_ok() { click "$1" 240 39; }
click_cancel() { click "$1" 240 75; }
click_fullscreen() { click "$1" 60 44; }
click_windowed() { click "$1" 60 68; }
click_greetings() { click "$1" 60 114; }

no_velmora_lines() {
  if grep -q '^velmora:' "$work/stderr"; then fail "unexpected report: $(grep '^velmora:' "$work/stderr")"; fi
}

# Watches for $1 seconds that no rendering window shows up while the program runs.
never_a_rendering_window() {
  local start_time
  start_time="$(now)"
  while less_than "$(elapsed_since "$start_time")" "$1" && kill -0 "$pid" 2>/dev/null; do
    for id in $(windows_named "$title"); do
      [ "$(geometry "$id" | cut -d' ' -f3)" = 640 ] && fail "a rendering window appeared"
    done
    sleep 0.05
  done
}

launcher_closes_without_demo() {  # how-to-close
  make_data
  start "$velmora"
  local launcher
  launcher="$(wait_launcher)" || exit 1
  "$@" "$launcher"
  never_a_rendering_window 3
  expect_exit_zero 5
  [ ! -s "$work/stdout" ] || fail "unexpected output: $(cat "$work/stdout")"
  no_velmora_lines
}

escape_key() { press "$1" Escape; }
close_box() { "$x11_probe" close "$1" || fail "x11_probe close"; }

# The windowed rendering window: title, 640 x 461 client at the origin, the
# launcher gone, the cursor hidden over it.
check_windowed_demo() {
  local window
  window="$(wait_rendering_window)" || fail "no rendering window"
  read -r x y w h <<<"$(geometry "$window")"
  [ "$x $y $w $h" = "0 0 640 461" ] || fail "rendering window at $x,$y size ${w}x$h, not 0,0 640x461"
  [ "$(xdotool getwindowname "$window")" = "Orvak 2002 - Velmora" ] || fail "title"
  [ -z "$(wait_window "$title" 0.1 339)" ] || fail "launcher still shown"
  [ -z "$(windows_named 'Velmora greetings')" ] || fail "greetings panel still shown"
  sleep 0.5
  xdotool mousemove 1000 740
  sleep 0.2
  [ "$("$x11_probe" cursor)" = visible ] || fail "cursor not visible outside the demo window"
  xdotool mousemove 320 230
  sleep 0.3
  [ "$("$x11_probe" cursor)" = hidden ] || fail "cursor shown over the demo window"
  echo "$window"
}

check_no_gl_errors() {
  if grep -q 'GL error' "$work/stderr"; then fail "$(grep -c 'GL error' "$work/stderr") GL errors"; fi
}

# Starts program $1, takes the launcher's default and waits up to $2 seconds
# for the demo to end by itself, with no GL error and no report but $3.
runs_to_its_end() {
  start "$1"
  local launcher
  launcher="$(wait_launcher)" || exit 1
  press "$launcher" Return
  wait_rendering_window >/dev/null || fail "no rendering window"
  expect_exit_zero "$2"
  check_no_gl_errors
  only_velmora_line "${3:-}"
}

# The "ERROR" message box, if one is mapped. Its title is a UTF-8 WM_NAME,
# which xdotool's --name search does not read, so the window tree is used.
error_box() {
  local id
  for id in $(xwininfo -root -children | awk '$2 == "\"ERROR\":" {print $1}'); do
    if [[ "$(xwininfo -id "$id")" == *'Map State: IsViewable'* ]]; then echo "$id"; return; fi
  done
}

wait_error_box() {  # seconds; fails when no box shows
  local box="" start_time
  start_time="$(now)"
  while [ -z "$box" ] && less_than "$(elapsed_since "$start_time")" "$1"; do
    box="$(error_box)"
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  [ -n "$box" ] || fail "no ERROR box"
  echo "$box"
}

check_cause() {  # text cause (a pattern): the line saying what failed and where
  local line
  [ -z "$2" ] && return 0
  while IFS= read -r line; do [[ "$line" == "velmora: $1: "$2 ]] && return 0; done <"$work/stderr"
  fail "stderr lacks 'velmora: $1: $2'"
}

# A failure before the window exists: the stderr line, an "ERROR" box on the
# display that has to be clicked away, no rendering window, status 0.
error_box_run() {  # expected text, cause
  start "$velmora"
  launcher="$(wait_launcher)" || exit 1
  press "$launcher" Return
  local box="" start_time
  start_time="$(now)"
  while [ -z "$box" ] && less_than "$(elapsed_since "$start_time")" 20; do
    box="$(error_box)"
    for id in $(windows_named "$title"); do
      [ "$(geometry "$id" | cut -d' ' -f3)" = 640 ] && fail "a rendering window appeared"
    done
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  [ -n "$box" ] || fail "no ERROR box"
  grep -qx "velmora: $1" "$work/stderr" || fail "stderr lacks 'velmora: $1'"
  check_cause "$1" "${2:-}"
  kill -0 "$pid" 2>/dev/null || fail "the program did not wait for the box"
  press "$box" Return
  expect_exit_zero 10
  [ "$(grep -cx "velmora: $1" "$work/stderr")" = 1 ] || fail "reported more than once"
  [ -z "$(error_box)" ] || fail "the ERROR box is still shown"
}

# Fullscreen, OK, the rendering window's geometry, then (past the first frame
# and the pause after it, while the intro plays) the screen's rows; Escape.
fullscreen_run() {  # "x y width height" rows (empty: not looked at)
  make_data
  start "$velmora"
  launcher="$(wait_launcher)" || exit 1
  click_fullscreen "$launcher"
  click_ok "$launcher"
  window="$(wait_window "$title" 30 "$(cut -d' ' -f3 <<<"$1")")" || fail "no rendering window"
  [ "$(geometry "$window")" = "$1" ] || fail "rendering window at $(geometry "$window"), not $1"
  sleep 3
  local rows
  rows="$([ -z "$2" ] || "$x11_probe" rows)"
  [ "$rows" = "$2" ] || fail "screen rows: $(echo $rows), not $(echo $2)"
  press "$window" Escape
  expect_exit_zero 10
  check_no_gl_errors
}

# Any attempt at an offscreen picture then shows as the line on why it failed.
hide_framebuffer_objects() {
  export MESA_GL_VERSION_OVERRIDE=2.1 MESA_EXTENSION_OVERRIDE="-GL_ARB_framebuffer_object -GL_EXT_framebuffer_object"
}

case "$case_name" in
fullscreen_scaled | fullscreen_unscaled) screen_size=1280x1024 ;;
fullscreen_native) screen_size=640x480 ;;
esac

trim() { local s="$1"; s="${s#"${s%%[![:space:]]*}"}"; echo "${s%"${s##*[![:space:]]}"}"; }

# Every file under the work folder with its checksum, but the run's own output.
snapshot() {
  (cd "$work" && find . \( -name stdout -o -name stderr -o -name runtime \) -prune -o -print | sort &&
    find . \( -name stdout -o -name stderr -o -name runtime \) -prune -o -type f -exec md5sum {} + | sort)
}

# The velmora lines on stderr are exactly $1 (nothing when $1 is empty).
only_velmora_line() {
  [ "$(grep '^velmora:' "$work/stderr")" = "$1" ] ||
    fail "expected ${1:-no report}, got: $(grep '^velmora:' "$work/stderr")"
}

act() {  # action target
  case "$1" in
  Escape) press "$2" Escape ;;
  close) "$x11_probe" close "$2" || fail "x11_probe close" ;;
  INT | TERM) kill -"$1" "$pid" ;;
  esac
}

# Acts, then the program must end: within a second of a signal, three of a key.
act_and_end() {  # action target
  local limit="${quit_seconds:-3}"
  case "$1" in INT | TERM) limit=1 ;; esac
  act "$@"
  wait_exit "$limit" || fail "still running $limit s after $1"
  [ "$exit_status" = 0 ] || fail "exit status $exit_status after $1"
  [ -z "$(error_box)" ] || fail "an ERROR box is shown"
  check_no_gl_errors
}

start_and_choose() {  # windowed|fullscreen
  start "$velmora"
  local launcher
  launcher="$(wait_launcher)" || exit 1
  if [ "$1" = fullscreen ]; then click_fullscreen "$launcher"; click_ok "$launcher"; else press "$launcher" Return; fi
}

start_demo() {  # windowed|fullscreen; the rendering window goes to $target
  start_and_choose "$1"
  # Fullscreen covers the whole screen, scaled when it is not 640 x 480.
  local width=640
  [ "$1" = fullscreen ] && width="$(screen_width)"
  target="$(wait_window "$title" 30 "$width")" || fail "no rendering window"
}

# Samples the high-water mark of the resident memory of $pid until it ends,
# into peak (kB).
follow_peak() {
  local sample
  peak=0
  while kill -0 "$pid" 2>/dev/null; do
    # The process may be gone by the time its status is read: a failed
    # read must not wipe out the high-water mark read before it.
    sample="$(awk '/^VmHWM/ {print $2}' "/proc/$pid/status" 2>/dev/null)" || true
    [ -n "$sample" ] && [ "$sample" -gt "$peak" ] && peak="$sample"
    sleep 0.2
  done
}

# Run $2 of program $1 peaked at $peak kB: fails when there was no reading, or
# when it is over the first run's peak (first_peak, set by run 1) plus 5 %.
# Under AddressSanitizer the resident set holds its quarantine of freed
# blocks, which fills at the pace of the run: LeakSanitizer, not the peak,
# tells there whether a run keeps what it should give back.
check_peak() {
  [ "$peak" -gt 0 ] || fail "$1 run $2: no reading of its memory"
  first_peak="${first_peak:-$peak}"
  # Not piped into grep -q: under pipefail, ldd killed by the early close of
  # the pipe fails the test, and the check with it.
  [[ "$(ldd "$1")" == *libasan* ]] && return 0
  [ $((peak * 100)) -le $((first_peak * 105)) ] ||
    fail "$1 run $2 peaked at $peak kB, the first at $first_peak kB"
}

# Three runs to the end of the fast module: the same status, no report, frames
# drawn, and no more peak memory than the first run's (plus 5 %). The demo
# draws as fast as the machine lets it, so its frame counts follow the load
# of this shared machine (runs 35 % apart, per wall-clock and per CPU second
# alike): they are shown, not compared. The frame count is compared on the
# fixed clock of the capture tool, which plays the same scenes and music with
# frame i at i/fps: three runs there must draw the same number of frames.
three_runs() {
  local run frames first_frames="" peak first_peak=""
  for run in 1 2 3; do
    start_demo windowed
    follow_peak
    expect_exit_zero 1
    frames="$(sed -n 's/^frames //p' "$work/stdout")"
    echo "velmora run $run: $frames frames, peak $peak kB"
    [ -n "$frames" ] && [ "$frames" -gt 0 ] || fail "run $run drew no frames"
    only_velmora_line ""
    check_peak "$velmora" "$run"
  done
  first_peak=""
  for run in 1 2 3; do
    start env -u DISPLAY "$capture_tool" --fps 5 "$work/run.mkv"
    follow_peak
    expect_exit_zero 1
    frames="$(sed -n 's/^velmora-capture: wrote .*: \([0-9]*\) frames, .*/\1/p' "$work/stderr")"
    echo "velmora-capture run $run: $frames frames, peak $peak kB"
    [ -n "$frames" ] && [ "$frames" -gt 0 ] || fail "capture run $run drew no frames"
    first_frames="${first_frames:-$frames}"
    [ "$frames" = "$first_frames" ] || fail "capture run $run drew $frames frames, the first $first_frames"
    check_peak "$capture_tool" "$run"
    rm "$work/run.mkv"
  done
}

# A Wayland compositor beside the X server, as on a GNOME or KDE desktop: the
# launcher must still be an X11 window at the corner, its panel under it.
launcher_on_wayland() {
  export XDG_RUNTIME_DIR="$work/runtime"
  mkdir -m 700 "$XDG_RUNTIME_DIR"
  weston --backend=headless-backend.so --socket=velmora-wl --idle-time=0 >/dev/null 2>&1 &
  local weston_pid=$! i
  for i in $(seq 1 100); do [ -S "$XDG_RUNTIME_DIR/velmora-wl" ] && break; sleep 0.05; done
  [ -S "$XDG_RUNTIME_DIR/velmora-wl" ] || fail "weston did not start"
  export WAYLAND_DISPLAY=velmora-wl
  start "$velmora"
  local launcher panel
  launcher="$(wait_launcher)" || exit 1
  read -r lx ly lw lh <<<"$(geometry "$launcher")"
  [ "$lx $ly" = "0 0" ] || fail "launcher at $lx,$ly"
  click_greetings "$launcher"
  panel="$(windows_named 'Velmora greetings')"
  read -r px py pw ph <<<"$(geometry "$panel")"
  [ "$px $py $pw" = "0 $lh $lw" ] || fail "panel at $px,$py width $pw under a ${lw}x$lh launcher"
  act_and_end Escape "$launcher"
  kill "$weston_pid"
  wait "$weston_pid" 2>/dev/null
}

# The window's class is the menu entry's StartupWMClass, and it carries an icon.
check_identity() {  # window
  local class
  class="$(sed -n 's/^StartupWMClass=//p' "$(dirname "${BASH_SOURCE[0]}")/../../packaging/org.orvak.velmora.desktop")"
  [[ -n "$class" && "$(xprop -id "$1" WM_CLASS)" == *", \"$class\"" ]] || fail "window class: $(xprop -id "$1" WM_CLASS)"
  [[ "$(xprop -id "$1" _NET_WM_ICON)" == *"Icon ("* ]] || fail "no icon on the window"
}

run_fault_row() {  # name
  local row when action expect fixture envs cause text fifos=()
  row="$(grep -E "^$1 +\|" "$(dirname "${BASH_SOURCE[0]}")/fault_table.txt")" || fail "no row $1"
  IFS='|' read -r _ when action expect fixture envs cause <<<"$row"
  when="$(trim "$when")" action="$(trim "$action")" expect="$(trim "$expect")"
  fixture="$(trim "$fixture")" envs="$(trim "$envs")" cause="$(trim "$cause")"
  text="${expect#* }"
  [ "$text" = "$expect" ] && text=""
  # The rig's own tokens; the rest goes to make_fixture_data. Named pipes are
  # made once the files they replace are there.
  while [[ "$fixture" =~ (.*)--put\ ([^ ]+)\ fifo(.*) ]]; do
    fifos+=("${BASH_REMATCH[2]}") fixture="${BASH_REMATCH[1]}${BASH_REMATCH[3]}"
  done
  [[ "$fixture" == *@no-framebuffer-objects* ]] && hide_framebuffer_objects
  [[ "$fixture" == *@empty-here* ]] && mkdir -p "$work/cwd/data"
  fixture="${fixture//@no-framebuffer-objects/}" fixture="$(trim "${fixture//@empty-here/}")"
  case "$fixture" in
  @*)
    mkdir "$work/bin" "$work/cwd"
    cp "$velmora" "$work/bin/velmora"
    velmora="$work/bin/velmora" run_dir="$work/cwd"
    if [ "$fixture" != @nowhere ]; then "$make_fixture_data" "$work/bin" ${fixture#@beside} || fail "fixture"; fi
    ;;
  *) make_data $fixture ;;
  esac
  local fifo
  for fifo in "${fifos[@]}"; do rm -rf "$work/data/$fifo" && mkfifo "$work/data/$fifo" || fail "mkfifo"; done
  [ -z "$envs" ] || export ${envs?}
  local before target
  before="$(snapshot)"
  case "$when/$expect" in
  ok/box*) error_box_run "$text" "$cause" ;;
  ok/plays*) runs_to_its_end "$velmora" 60 "$text" ;;
  ok/shows)
    start_demo windowed
    sleep 1.5
    act_and_end Escape "$target"
    only_velmora_line ""
    ;;
  launcher/*)
    start "$velmora"
    target="$(wait_launcher)" || exit 1
    act_and_end "$action" "$target"
    [ -z "$(wait_window "$title" 0.1 640)" ] || fail "a rendering window appeared"
    only_velmora_line ""
    ;;
  pause/* | scene/* | fullscreen/*)
    local mode=windowed size_before
    [ "$when" = fullscreen ] && mode=fullscreen
    size_before="$(xdpyinfo | grep dimensions)"
    start_demo "$mode"
    # The pause ends 2 s after the first frame, then 0.1 s before the loop.
    [ "$when" = pause ] || sleep 2.2
    wait_exit 0 && fail "ended before $action, status $exit_status"
    act_and_end "$action" "$target"
    only_velmora_line ""
    [ "$(xdpyinfo | grep dimensions)" = "$size_before" ] || fail "display mode not restored"
    ;;
  box/*)
    start_and_choose windowed
    target="$(wait_error_box 20)" || exit 1
    act_and_end "$action" "$target"
    [ "$(grep -cx "velmora: $text" "$work/stderr")" = 1 ] || fail "stderr lacks 'velmora: $text' once"
    check_cause "$text" "$cause"
    ;;
  blocked/*)
    # Stuck where the quit flag is never read, the start still ends in 2 s.
    start_and_choose windowed
    sleep 1
    kill -0 "$pid" 2>/dev/null && [ -z "$(wait_window "$title" 0.1 640)" ] || fail "the start did not block"
    kill -"$action" "$pid"
    wait_exit 2 && [ "$exit_status" = 0 ] || fail "not ended with status 0 within 2 s of $action"
    only_velmora_line "$text"
    ;;
  resized/*)
    start_demo windowed
    sleep 2.2
    if [ "$expect" = fills ]; then
      # 640 x 461 scaled by 1.6 between bars of 15 rows, not in its old corner,
      # once a frame has been drawn since (seconds apart on a loaded machine).
      xdotool windowsize "$target" 1024 768
      local left top right bottom filled="" _
      for _ in $(seq 1 30); do
        sleep 0.5
        read -r left top right bottom <<<"$("$x11_probe" extent)"
        [ "$top" -ge 15 ] && [ "$bottom" -le 752 ] && [ "$top" -le 250 ] && [ "$right" -ge 700 ] && filled=1 && break
      done
      [ -n "$filled" ] || fail "the picture spans columns $left-$right, rows $top-$bottom"
    else
      [[ "$(xprop -id "$target" WM_NORMAL_HINTS)" == *"maximum size: 640 by 461"* ]] || fail "resizable"
    fi
    act_and_end "$action" "$target"
    only_velmora_line ""
    ;;
  identity/*)
    start "$velmora"
    target="$(wait_launcher)" || exit 1
    check_identity "$target"
    press "$target" Return
    target="$(wait_rendering_window)" || fail "no rendering window"
    check_identity "$target"
    act_and_end "$action" "$target"
    only_velmora_line ""
    ;;
  wayland/*) launcher_on_wayland ;;
  repeat/*) three_runs ;;
  *) fail "bad row: $row" ;;
  esac
  [ "$(snapshot)" = "$before" ] || fail "the data files changed or a file was created"
}

# Sourced by another platform's end-to-end script: the helpers above only.
[ "${BASH_SOURCE[0]}" = "$0" ] || return 0

[ "$case_name" = no_display ] || start_private_display

case "$case_name" in
no_display)
  (cd "$work" && env -u DISPLAY -u WAYLAND_DISPLAY "$velmora" >"$work/stdout" 2>"$work/stderr") &
  pid=$!
  expect_exit_zero 10
  grep -qx 'velmora: cannot open a display' "$work/stderr" || fail "no 'cannot open a display' line"
  ;;
launcher_escape) launcher_closes_without_demo escape_key ;;
launcher_cancel) launcher_closes_without_demo click_cancel ;;
launcher_close_box) launcher_closes_without_demo close_box ;;
launcher_choice)
  # The choice itself, read from the launcher alone.
  run_driver() {  # actions... ; prints the driver's verdict
    start "$launcher_driver"
    local launcher action
    launcher="$(wait_launcher)" || exit 1
    for action in "$@"; do "$action" "$launcher"; done
    expect_exit_zero 5
    cat "$work/stdout"
  }
  enter_key() { press "$1" Return; }
  [ "$(run_driver enter_key)" = "ok windowed" ] || fail "Enter on an untouched launcher"
  [ "$(run_driver click_ok)" = "ok windowed" ] || fail "OK on an untouched launcher"
  [ "$(run_driver click_fullscreen click_ok)" = "ok fullscreen" ] || fail "Fullscreen then OK"
  [ "$(run_driver click_fullscreen enter_key)" = "ok fullscreen" ] || fail "Fullscreen then Enter"
  [ "$(run_driver click_fullscreen click_windowed click_ok)" = "ok windowed" ] ||
    fail "Fullscreen, Windowed, OK"
  [ "$(run_driver click_fullscreen click_cancel)" = "cancelled" ] || fail "Fullscreen then Cancel"
  ;;
ok_windowed)
  make_data
  start "$velmora"
  launcher="$(wait_launcher)" || exit 1
  press "$launcher" Return
  window="$(check_windowed_demo)" || exit 1
  sleep 1
  press "$window" Escape
  expect_exit_zero 10
  check_no_gl_errors
  no_velmora_lines
  ;;
fullscreen_then_windowed)
  make_data
  start "$velmora"
  launcher="$(wait_launcher)" || exit 1
  # With the greetings panel open: OK closes it together with the launcher.
  click_greetings "$launcher"
  [ -n "$(windows_named 'Velmora greetings')" ] || fail "panel not shown"
  click_fullscreen "$launcher"
  click_windowed "$launcher"
  click_ok "$launcher"
  window="$(check_windowed_demo)" || exit 1
  "$x11_probe" close "$window" || fail "x11_probe close"
  expect_exit_zero 10
  check_no_gl_errors
  no_velmora_lines
  ;;
fullscreen_ok)
  # The screen keeps its 1024 x 768 mode, which the picture fills exactly.
  fullscreen_run "0 0 1024 768" "0-767 white"
  no_velmora_lines
  ;;
fullscreen_scaled)
  # Twice the size: 1280 x 960 between bars of 32 rows.
  fullscreen_run "0 0 1280 1024" $'0-31 black\n32-991 white\n992-1023 black'
  no_velmora_lines
  ;;
fullscreen_native)
  # The display is in the demo's own mode: drawn as ever, unscaled. With
  # framebuffer objects hidden, any attempt to draw offscreen would be told.
  hide_framebuffer_objects
  fullscreen_run "0 0 640 480" "0-479 white"
  no_velmora_lines
  ;;
fullscreen_unscaled)
  # No framebuffer objects: the borderless 640 x 480 window in the corner, as
  # before, and one line on why.
  hide_framebuffer_objects
  fullscreen_run "0 0 640 480" ""
  [ "$(grep '^velmora:' "$work/stderr")" = "velmora: the picture is not scaled to the 1280 x 1024 screen: the OpenGL driver offers no framebuffer objects" ] ||
    fail "not the one line on why the picture is not scaled"
  ;;
greetings)
  make_data
  start "$velmora"
  launcher="$(wait_launcher)" || exit 1
  [ -z "$(windows_named 'Velmora greetings')" ] || fail "panel shown before the button"
  click_greetings "$launcher"
  panel="$(windows_named 'Velmora greetings')"
  [ -n "$panel" ] || fail "panel not shown"
  read -r lx ly lw lh <<<"$(geometry "$launcher")"
  read -r px py pw ph <<<"$(geometry "$panel")"
  [ "$px $py $pw" = "$lx $((ly + lh)) $lw" ] ||
    fail "panel at $px,$py width $pw; launcher at $lx,$ly ${lw}x$lh"
  [ "$ph" -ge 110 ] && [ "$ph" -le 140 ] || fail "panel height $ph"
  for target in "200 150" "37 411"; do
    read -r tx ty <<<"$target"
    xdotool windowmove "$launcher" "$tx" "$ty"
    sleep 0.5
    read -r lx ly lw lh <<<"$(geometry "$launcher")"
    [ "$lx $ly" = "$tx $ty" ] || fail "launcher did not move to $tx,$ty"
    read -r px py pw ph2 <<<"$(geometry "$panel")"
    [ "$px $py $pw $ph2" = "$lx $((ly + lh)) $lw $ph" ] ||
      fail "panel at $px,$py ${pw}x$ph2 after the launcher moved to $lx,$ly"
  done
  click_greetings "$launcher"
  [ -z "$(windows_named 'Velmora greetings')" ] || fail "second press left the panel open"
  click_greetings "$launcher"
  [ -n "$(windows_named 'Velmora greetings')" ] || fail "third press did not reopen the panel"
  press "$launcher" Escape
  expect_exit_zero 5
  no_velmora_lines
  ;;
full_run)
  # Orders 0-37 run at 2.5/255 s a row, order 38 at 2 s a row: stopping at
  # order 38 row 3 lands 6 s into that order, seconds away from row 0, from
  # row 4 and from the module's end. The music's own clock is the audio
  # thread's, which on a busy machine drifts from the wall clock, so the
  # measure is how much music the device was fed before it closed: the disk
  # driver (as silent as the dummy one) keeps every sample in a file.
  "$slow_ending_fixture" "$work" || fail "slow_ending_fixture"
  export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/audio.raw"
  start "$velmora"
  launcher="$(wait_launcher)" || exit 1
  press "$launcher" Return
  wait_rendering_window >/dev/null || fail "no rendering window"
  wait_exit 150 || fail "did not end by itself"
  [ "$exit_status" = 0 ] || fail "exit status $exit_status"
  played="$("$raw_audio_span" "$work/audio.raw")" || fail "no music recorded"
  reached="$(echo "38 * 64 * 2.5 / 255 + 3 * 2.0" | bc -l)"
  echo "music played: $played s; order 38 row 3 is reached after $reached s"
  less_than "$(echo "$reached - 0.1" | bc -l)" "$played" ||
    fail "stopped after $played s of music, before order 38 row 3 ($reached s)"
  less_than "$played" "$(echo "$reached + 2.0" | bc -l)" ||
    fail "played $played s of music: past order 38 row 3 ($reached s)"
  check_no_gl_errors
  no_velmora_lines
  ;;
short_module_run)
  # A module that never reaches order 38 still ends the demo, at its end.
  make_data --short-module
  runs_to_its_end "$velmora" 30
  ;;
demo_escape)
  make_data
  start "$velmora"
  launcher="$(wait_launcher)" || exit 1
  press "$launcher" Return
  window="$(wait_rendering_window)" || fail "no rendering window"
  sleep 4
  kill -0 "$pid" 2>/dev/null || fail "ended before Escape"
  press "$window" Escape
  expect_exit_zero 5
  check_no_gl_errors
  no_velmora_lines
  ;;
unsupported_colour_depth)
  # The window's own failure: reported over the window while it is being
  # made, after which the window still shows and the loop ends on the quit
  # the failure posted, without rendering a frame of its own.
  start "$failing_window_driver"
  box="$(wait_error_box 20)" || exit 1
  grep -qx 'velmora: Invalid BPP parameter' "$work/stderr" || fail "stderr lacks the BPP report"
  press "$box" Return
  expect_exit_zero 20
  [ "$(cat "$work/stdout")" = "initGL 0, frames 1, idle frames 0, context none" ] ||
    fail "after the failure: $(cat "$work/stdout")"
  ;;
installed_tree)
  # Installed into a prefix that is then moved whole, started from a folder
  # without data/: the program finds share/velmora/data from its own place
  # (holding the fast fixture module here) and ends by itself.
  [ -n "${VELMORA_BUILD_DIR:-}" ] || fail "VELMORA_BUILD_DIR is not set"
  "${VELMORA_CMAKE:-cmake}" --install "$VELMORA_BUILD_DIR" --prefix "$work/prefix" >"$work/install.log" 2>&1 ||
    fail "cmake --install: $(cat "$work/install.log")"
  mkdir "$work/moved"
  mv "$work/prefix" "$work/moved/velmora"
  "$make_fixture_data" "$work/moved/velmora/share/velmora" || fail "make_fixture_data"
  [ ! -e "$work/data" ] && [ ! -e "$work/moved/velmora/bin/data" ] || fail "data/ where it should not be"
  runs_to_its_end "$work/moved/velmora/bin/velmora" 60
  ;;
fault.*) run_fault_row "${case_name#fault.}" ;;
*)
  fail "unknown case"
  ;;
esac
echo "ok: $case_name"
