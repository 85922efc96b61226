#!/usr/bin/env bash
# Comfort zones on a desktop, keyboard only: in the measured-data window 快適域追加 opens the
# comfort-zone dialog on top, Esc leaves it without a zone, Enter adds the summer and the winter
# PMV zone, and the chart then shows both outlines in their colours.
# Usage: comfort.sh BIN_DIR   (run under xvfb-run; exits 77 when the tools are missing)
set -euo pipefail
bin=$1
. "$(dirname "$0")/lib.sh"
need openbox xprop xwininfo xdotool import convert
start_wm

summer='#D07020'  # the summer zone's outline
winter='#1050C0'  # the winter zone's

start
xdotool key alt+m
sleep 0.3
xdotool key z
data=$(window_named '測定データとゾーン') || fail "no measured-data window"
xdotool windowactivate --sync "$data"
xdotool key alt+k
dialog=$(window_named '快適域') || fail "no comfort-zone dialog"
sleep 0.3
[ "$(top_window)" = "$dialog" ] || fail "the comfort-zone dialog is not on top"
xdotool key Escape
sleep 0.5
visible '快適域' && fail "Esc did not close the comfort-zone dialog"
xdotool windowactivate --sync "$data"
xdotool key alt+k
dialog=$(window_named '快適域') || fail "no comfort-zone dialog the second time"
sleep 0.3
shot comfort-dialog
xdotool windowactivate --sync "$dialog"
xdotool key Return
sleep 0.8
visible '快適域' && fail "Enter did not close the comfort-zone dialog"
shot comfort-window
# The chart beneath, with the window out of the way.
xdotool windowmove --sync "$data" 1275 1015
xdotool windowactivate --sync "$wid" || true
sleep 0.5
shot comfort-chart
s=$(pixels_of comfort-chart "$summer")
w=$(pixels_of comfort-chart "$winter")
echo "outlines: $s pixels of the summer zone, $w of the winter zone"
[ "${s%.*}" -gt 100 ] || fail "no summer zone drawn"
[ "${w%.*}" -gt 100 ] || fail "no winter zone drawn"
kill_program
keep_shots
echo "comfort zone test passed"
