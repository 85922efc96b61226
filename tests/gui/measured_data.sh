#!/usr/bin/env bash
# Measured data on a desktop, keyboard only: 測定データ → 測定データとゾーン opens the window,
# 読み込み reads a CSV file through the file dialog and the column dialog, ゾーン追加 adds the
# default zone, and the main window then shows the dots in the data set's colour.
# Usage: measured_data.sh BIN_DIR   (run under xvfb-run; exits 77 when the tools are missing)
set -euo pipefail
bin=$1
. "$(dirname "$0")/lib.sh"
need openbox xprop xwininfo xdotool import convert
start_wm

# A day of room readings every ten minutes, 20–26 °C, 40–64 %.
{
  echo "time,DB,RH"
  for i in $(seq 0 143); do echo "$i,$((20 + i % 7)),$((40 + i % 25))"; done
} >"$work/room.csv"

start
shot data-before
before=$(pixels_of data-before '#0050B0')
xdotool key alt+m
sleep 0.3
xdotool key z
data=$(window_named '測定データとゾーン') || fail "no measured-data window"
xdotool windowactivate --sync "$data"
xdotool key alt+i
chooser=$(window_named '測定データの読み込み') || fail "no file dialog"
xdotool windowactivate --sync "$chooser"
sleep 0.3
xdotool type --delay 20 "$work/room.csv"
xdotool key Return
columns=$(window_named 'CSV の列') || fail "no column dialog"
sleep 0.3
shot data-columns
xdotool windowactivate --sync "$columns"
xdotool key Return
sleep 0.5
visible 'CSV の列' && fail "the column dialog stayed open"
xdotool windowactivate --sync "$data"
xdotool key alt+a
zone=$(window_named 'ゾーン') || fail "no zone dialog"
sleep 0.3
shot data-zone
xdotool windowactivate --sync "$zone"
xdotool key Return
sleep 0.5
visible 'ゾーン' && fail "the zone dialog stayed open"
shot data-window
# The chart beneath, with the window out of the way.
xdotool windowmove --sync "$data" 1275 1015
xdotool windowactivate --sync "$wid" || true
sleep 0.5
shot data-chart
after=$(pixels_of data-chart '#0050B0')
echo "dots: $before pixels before, $after after"
[ "${after%.*}" -gt $((${before%.*} + 100)) ] || fail "no dots drawn in the data set's colour"
kill_program
keep_shots
echo "measured data test passed"
