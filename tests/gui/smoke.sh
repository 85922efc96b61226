#!/usr/bin/env bash
# Starts the real program on a virtual X screen, drives it as a user would and checks what it
# shows and writes: the window's place, size and caption, a menu by Alt+letter, a zoom button,
# a screenshot with the chart in it, the settings written on closing and used on the next start.
# Usage: smoke.sh BIN_DIR   (run under xvfb-run; exits 77 when the tools are missing)
set -euo pipefail
bin=$1
. "$(dirname "$0")/lib.sh"
need openbox xprop xwininfo xdotool import convert
start_wm

start
name=$(xdotool getwindowname "$wid")
[ "$name" = "Humidraw ver.0.3.5.78b" ] || fail "caption '$name'"
eval "$(xdotool getwindowgeometry --shell "$wid")"
[ "$WIDTH" = 724 ] && [ "$HEIGHT" = 584 ] || fail "size ${WIDTH}x${HEIGHT}"
[ "$(frame_origin "$wid")" = "278 220" ] || fail "not centred: $(frame_origin "$wid")"

import -window root "$work/start.png"
chart=$(convert "$work/start.png" -crop 600x400+340+320 -fill black +opaque '#808080' \
        -fill white -opaque '#808080' -negate -format '%[fx:mean]' info:)
awk -v m="$chart" 'BEGIN { exit !(m > 0.02) }' || fail "no grey chart lines on screen ($chart)"

xdotool windowactivate --sync "$wid"
xdotool key alt+v
sleep 0.5
import -window root "$work/menu.png"
xdotool key Escape
# The zoom-in button of the command bar: the fit leaves no scroll bar, a zoom step adds one.
xdotool mousemove --window "$wid" 322 31 click 1
sleep 0.5
import -window root "$work/zoomed.png"
cmp -s "$work/start.png" "$work/zoomed.png" && fail "zooming changed nothing on screen"
xdotool windowmove "$wid" 100 80
sleep 0.3
stop
tr -d '\r' < "$work/humidraw.ini" > "$work/ini.txt"
grep -q '^Left=100$' "$work/ini.txt" && grep -q '^Top=80$' "$work/ini.txt" || fail "the place was not written: $(cat "$work/humidraw.ini")"
grep -q '^CurrentDir=' "$work/humidraw.ini" || fail "CurrentDir was not written"

start
[ "$(frame_origin "$wid")" = "100 80" ] || fail "the stored place was not used: $(frame_origin "$wid")"
stop
keep_shots
echo "smoke test passed"
