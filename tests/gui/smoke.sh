#!/usr/bin/env bash
# Starts the real program on a virtual X screen, drives it as a user would and checks what it
# shows and writes: the window's place, size and caption, a menu by Alt+letter, a zoom button,
# a screenshot with the chart in it, the settings written on closing and used on the next start.
# Usage: smoke.sh BIN_DIR   (run under xvfb-run; exits 77 when the tools are missing)
set -euo pipefail
bin=$1
for tool in xdotool import convert; do
  command -v "$tool" >/dev/null || { echo "no $tool: skipped"; exit 77; }
done
[ -n "${DISPLAY:-}" ] || { echo "no display: skipped"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$bin/humidraw" "$work/"
mkdir -p "$work/../lib" 2>/dev/null || true
export LD_LIBRARY_PATH="$bin/../lib${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}"

start() {
  "$work/humidraw" &
  pid=$!
  wid=$(timeout 20 xdotool search --sync --onlyvisible --name 'Humidraw ver')
  sleep 1  # the fit runs 300 ms after start
}
stop() {
  kill -TERM "$pid"
  wait "$pid" || true
}
fail() { echo "FAIL: $*"; exit 1; }

start
name=$(xdotool getwindowname "$wid")
[ "$name" = "Humidraw ver.0.3.5.78b" ] || fail "caption '$name'"
eval "$(xdotool getwindowgeometry --shell "$wid")"
[ "$WIDTH" = 724 ] && [ "$HEIGHT" = 584 ] || fail "size ${WIDTH}x${HEIGHT}"
[ "$X" = 278 ] && [ "$Y" = 220 ] || fail "not centred: $X,$Y"

import -window root "$work/start.png"
chart=$(convert "$work/start.png" -crop 600x400+340+320 -fill black +opaque '#808080' \
        -fill white -opaque '#808080' -negate -format '%[fx:mean]' info:)
awk -v m="$chart" 'BEGIN { exit !(m > 0.02) }' || fail "no grey chart lines on screen ($chart)"

xdotool windowfocus --sync "$wid"
xdotool key alt+v
sleep 0.5
import -window root "$work/menu.png"
xdotool key Escape
# The zoom-in button of the command bar: the fit leaves no scroll bar, a zoom step adds one.
xdotool mousemove --window "$wid" 240 31 click 1
sleep 0.5
import -window root "$work/zoomed.png"
cmp -s "$work/start.png" "$work/zoomed.png" && fail "zooming changed nothing on screen"
xdotool windowmove "$wid" 100 80
sleep 0.3
stop
grep -q '^Left=100' "$work/humidraw.ini" || fail "the place was not written: $(cat "$work/humidraw.ini")"
grep -q '^CurrentDir=' "$work/humidraw.ini" || fail "CurrentDir was not written"

start
eval "$(xdotool getwindowgeometry --shell "$wid")"
[ "$X" = 100 ] && [ "$Y" = 80 ] || fail "the stored place was not used: $X,$Y"
stop
cp "$work"/*.png "${SMOKE_SHOTS:-/tmp}/" 2>/dev/null || true
echo "smoke test passed"
