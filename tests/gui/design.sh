#!/usr/bin/env bash
# The design layer on a desktop: 設計 → 状態点を入力 places P1 (10 °C, 50 %) and P2 (26 °C,
# 50 %), 設計 → 状態変化を追加 heats 1000 m³/h of P1 to 30 °C (making P3), 設計 → 状態点を置く
# puts P4 by a click on the chart, and the tables of 設計 → 状態点と状態変化の表 are read back
# through the clipboard (xclip) as another program pastes them: tab-separated text beside an
# HTML table. In 選択 the clicked point is dragged and the drag undone in one step.
# Usage: design.sh BIN_DIR   (run under xvfb-run; exits 77 when the tools are missing)
set -euo pipefail
bin=$1
. "$(dirname "$0")/lib.sh"
need openbox xprop xwininfo xdotool xclip import
start_wm

# The values by hand at 760 mmHg (the library's plain functions give the same to the digits
# shown):
#   P1 10 °C, 50 %: PWS 9.21 mmHg, PW 4.60 mmHg, x = 0.622 × 4.60 / (760 − 4.60) = 0.0038,
#      h = 0.24 × 10 + 0.0038 × (597.3 + 0.441 × 10) = 4.68 kcal/kg(DA),
#      SV = 287.05 × 283.15 / (101325 − 613) = 0.807 m³/kg(DA);
#   P2 26 °C, 50 %: PWS 25.2 mmHg, x = 0.622 × 12.6 / 747.4 = 0.0105, h = 6.24 + 0.0105 × 608.8
#      = 12.63 kcal/kg(DA);
#   P3 30 °C at P1's x: h = 7.20 + 0.0038 × 610.5 = 9.52 kcal/kg(DA);
#   the heating: G = 1000 / 0.807 = 1239.1 kg/h, Q = 1239.1 × (9.516 − 4.683) = 5989 kcal/h.

# Types a point into the point dialog: its name as proposed, DB and RH as the selectors offer.
type_point() {
  design_item i
  local dialog
  dialog=$(window_named '状態点の入力') || fail "no point dialog"
  xdotool windowactivate --sync "$dialog"
  xdotool key Tab Tab
  xdotool type "$1"
  xdotool key Tab Tab
  xdotool type "$2"
  shot "design-point-$1"
  xdotool key Return
  sleep 0.5
  visible '状態点の入力' && fail "the point dialog stayed open ($1, $2)"
  return 0
}

start
type_point 10 50
type_point 26 50

design_item c
process=$(window_named '状態変化の追加') || fail "no process dialog"
xdotool windowactivate --sync "$process"
# 顕熱変化 from P1, the state made named P3 as proposed: the flow, then the dry bulb it reaches.
xdotool key Tab Tab Tab
xdotool type 1000
xdotool key Tab Tab
xdotool type 30
shot design-process
xdotool key Return
sleep 0.5
visible '状態変化の追加' && fail "the process dialog stayed open"

# 状態点を置く: a click below the middle of the chart puts P4 at its dry bulb and humidity ratio
# (about 20 °C and 0.006 kg/kg(DA) on this screen); the right button ends the command.
design_item p
read -r cx cy < <(centre_of "$wid")
xdotool mousemove --sync "$cx" $((cy + 100)) click 1
sleep 0.5
xdotool click 3
sleep 0.3

design_item t
shot design-panel
xdotool key ctrl+c
sleep 0.5
xclip -selection clipboard -t TARGETS -o | grep -qx 'text/html' || fail "no HTML on the clipboard"
xclip -selection clipboard -t text/html -o | grep -q '<td>P3</td>' || fail "no P3 in the HTML"
xclip -selection clipboard -t UTF8_STRING -o >"$work/points.txt"
# Name, DB, RH, x and h of each point (columns 1, 2, 5, 6, 7), under the header.
got=$(awk -F'\t' 'NR > 1 {print $1, $2, $5, $6, $7}' "$work/points.txt")
# The defined points in their order (P1, P2 and the clicked P4), then P3 that the heating made.
want=$'P1 10.0 50.0 0.0038 4.68\nP2 26.0 50.0 0.0105 12.63'
[ "$(echo "$got" | sed -n 1,2p)" = "$want" ] || fail "points: $(cat "$work/points.txt")"
[ "$(echo "$got" | sed -n 4p)" = "P3 30.0 14.5 0.0038 9.52" ] || fail "P3: $(cat "$work/points.txt")"
# The clicked point: somewhere on the chart, under saturation.
echo "$got" | awk 'NR == 3 && $1 == "P4" && $2 > 0 && $2 < 45 && $3 > 0 && $3 < 100 {ok = 1}
  END {exit !ok}' || fail "no clicked point: $(cat "$work/points.txt")"

xdotool key Tab
sleep 0.2
xdotool key ctrl+c
sleep 0.5
xclip -selection clipboard -t UTF8_STRING -o >"$work/processes.txt"
got=$(awk -F'\t' 'NR > 1 {print $1, $2, $3, $4, $5, $6}' "$work/processes.txt")
[ "$got" = "顕熱 P1 P3 1000 1239.1 5989" ] || fail "processes: $(cat "$work/processes.txt")"

# 選択: P4 dragged 40 pixels to the right keeps its kinds (DB and x): a higher dry bulb at the
# same humidity ratio; Ctrl+Z takes the whole drag back. The panel is hidden while dragging, so
# the chart is fitted to the whole window again and P4 is where it was clicked.
panel_p4() {
  design_item t
  xdotool key ctrl+c
  sleep 0.5
  xclip -selection clipboard -t UTF8_STRING -o | awk -F'\t' '$1 == "P4" {print $2, $6}'
  design_item t
}
design_item t
before=$(panel_p4)
[ -n "$before" ] || fail "no P4 in the panel"
xdotool windowactivate --sync "$wid"
xdotool key alt+e
sleep 0.3
xdotool key s
sleep 0.3
xdotool mousemove --sync "$cx" $((cy + 100)) mousedown 1
for step in 10 20 30 40; do
  xdotool mousemove --sync $((cx + step)) $((cy + 100))
  sleep 0.1
done
shot design-drag
xdotool mouseup 1
sleep 0.5
after=$(panel_p4)
read -r db0 x0 <<<"$before"
read -r db1 x1 <<<"$after"
awk -v a="$db0" -v b="$db1" 'BEGIN {exit !(b > a + 0.5)}' || fail "P4 not dragged: $before -> $after"
[ "$x0" = "$x1" ] || fail "P4's humidity ratio changed in a level drag: $before -> $after"
xdotool windowactivate --sync "$wid"
xdotool key ctrl+z
sleep 0.5
[ "$(panel_p4)" = "$before" ] || fail "the drag was not undone in one step"

kill_program
keep_shots
echo "design test passed"
