# Shared by the GUI test scripts (sourced): a window manager on the virtual screen, the program
# started and stopped, and what the window manager says about the windows.
# The caller sets `bin` (the folder of the built programs) before sourcing.

fail() {
  echo "FAIL: $*"
  exit 1
}

# Skips (77) unless every named tool and a display are there.
need() {
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null || { echo "no $tool: skipped"; exit 77; }
  done
  [ -n "${DISPLAY:-}" ] || { echo "no display: skipped"; exit 77; }
}

# A scratch folder holding a copy of the program (its settings file is written beside it).
work=$(mktemp -d)
wm_pid=
cleanup() {
  keep_shots
  # A failed step may leave a question open: the program is killed, not asked to close.
  [ -n "${pid:-}" ] && kill -KILL "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
  [ -n "$wm_pid" ] && kill -TERM "$wm_pid" 2>/dev/null && wait "$wm_pid" 2>/dev/null
  rm -rf "$work"
  return 0
}
trap cleanup EXIT
cp "$bin/humidraw" "$work/"
export LD_LIBRARY_PATH="$bin/../lib${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}"

# Openbox with its default configuration; returns once it manages the screen.
start_wm() {
  HOME="$work" openbox --sm-disable >"$work/openbox.log" 2>&1 &
  wm_pid=$!
  local i
  for i in $(seq 50); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
    sleep 0.1
  done
  fail "the window manager did not start: $(cat "$work/openbox.log")"
}

# The language the scripts read the program's captions in, whatever the locale of the run; a
# script testing the choice of the language empties it.
lang_args=(--lang ja)
# The program; `wid` is its main window once that is visible and the start-up fit has run.
start() {
  "$work/humidraw" "${lang_args[@]}" "$@" &
  pid=$!
  wid=$(timeout 20 xdotool search --sync --onlyvisible --name 'Humidraw ver' | head -1)
  [ -n "$wid" ] || fail "no main window"
  sleep 1
  xdotool windowactivate --sync "$wid"
}
stop() {
  kill -TERM "$pid"
  wait "$pid" || true
  pid=
}
# Ends the program without its closing steps (a drawn document would ask to be saved).
kill_program() {
  kill -KILL "$pid"
  wait "$pid" 2>/dev/null || true
  pid=
}

# Client windows bottom to top, as decimal ids (the window manager's stacking list).
stacking() {
  xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*#//; s/,/ /g' |
    xargs -n1 printf '%d\n' 2>/dev/null
}
top_window() { stacking | tail -1; }
active_window() { xprop -root _NET_ACTIVE_WINDOW | sed 's/.*# //' | xargs printf '%d\n'; }
# The visible window with exactly this caption (waits up to 5 s).
window_named() {
  local i w
  for i in $(seq 50); do
    w=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1)
    [ -n "$w" ] && { echo "$w"; return 0; }
    sleep 0.1
  done
  return 1
}
visible() { xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }
# The top-left corner of a window's frame (what the program places and stores): "x y".
frame_origin() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ {ax = $4} /Absolute upper-left Y/ {ay = $4}
    /Relative upper-left X/ {rx = $4} /Relative upper-left Y/ {ry = $4}
    END {print ax - rx, ay - ry}'
}
# Centre of a window on the screen: "x y".
centre_of() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ {x = $4} /Absolute upper-left Y/ {y = $4}
    /Width:/ {w = $2} /Height:/ {h = $2} END {print int(x + w / 2), int(y + h / 2)}'

}
shot() { import -window root "$work/$1.png"; }
# Pixels of one colour ("#RRGGBB") in a screenshot taken by shot.
pixels_of() {
  convert "$work/$1.png" -fill black +opaque "$2" -fill white -opaque "$2" -format '%[fx:mean*w*h]' info:
}
keep_shots() { cp "$work"/*.png "${SMOKE_SHOTS:-/tmp}/" 2>/dev/null || true; }

# Opens an item of the 設計 menu by its access keys.
design_item() {
  xdotool windowactivate --sync "$wid"
  xdotool key alt+s
  sleep 0.3
  xdotool key "$1"
  sleep 0.5
}
