#!/usr/bin/env bash
# IP units on a desktop: a settings file saying Units=ip starts the program with the IP chart; a
# design point typed as 77 °F, 50 % reads back from the design panel through the clipboard in IP
# units; the options dialog shows the range in °F and the pressure in psia, and 設定保存 keeps
# the units and the °F range in the settings file.
# Usage: units.sh BIN_DIR   (run under xvfb-run; exits 77 when the tools are missing)
set -euo pipefail
bin=$1
. "$(dirname "$0")/lib.sh"
need openbox xprop xwininfo xdotool xclip import
start_wm
printf '[Setting]\r\nUnits=ip\r\n' >"$work/humidraw.ini"

# By hand at 760 mmHg: 77 °F is 25 °C; PWS(25 °C) 23.76 mmHg, PW 11.88 mmHg,
# x = 0.622 × 11.88 / (760 − 11.88) = 0.00988 kg/kg(DA) = 69.2 gr/lb(DA);
# h = 0.24 × 25 + 0.00988 × (597.5 + 0.441 × 25) = 12.01 kcal/kg(DA), on the IP datum
# 1.8 × 12.01 + 32 × 0.24 = 29.30 Btu/lb(DA).
start
shot units-ip-chart
design_item i
dialog=$(window_named '状態点の入力') || fail "no point dialog"
xdotool windowactivate --sync "$dialog"
xdotool key Tab Tab
xdotool type 77
xdotool key Tab Tab
xdotool type 50
shot units-ip-point
xdotool key Return
sleep 0.5
visible '状態点の入力' && fail "the point dialog stayed open"

design_item t
xdotool key ctrl+c
sleep 0.5
xclip -selection clipboard -t UTF8_STRING -o >"$work/points.txt"
head -1 "$work/points.txt" | grep -q '°F' || fail "no °F in the header: $(head -1 "$work/points.txt")"
head -1 "$work/points.txt" | grep -q 'gr/lb' || fail "no gr/lb in the header"
awk -F'\t' 'NR == 2 && $2 == "77.0" && $5 == "50.0" && $6 > 69.0 && $6 < 69.4 &&
  $7 > 29.2 && $7 < 29.4 {ok = 1} END {exit !ok}' "$work/points.txt" ||
  fail "the point in IP: $(cat "$work/points.txt")"
design_item t

# The options dialog: the range in °F, the pressure in psia; 設定保存 writes them.
xdotool windowactivate --sync "$wid"
xdotool key alt+o
sleep 0.3
xdotool key Return
options=$(window_named 'Humidrawの設定') || fail "no options dialog"
shot units-options
xdotool windowactivate --sync "$options"
xdotool key alt+s
sleep 0.5
grep -q 'Units=ip' "$work/humidraw.ini" || fail "the units were not saved: $(cat "$work/humidraw.ini")"
grep -q 'CSdbminF=25' "$work/humidraw.ini" || fail "the °F range was not saved"
xdotool key Escape
sleep 0.3

kill_program
keep_shots
echo "units test passed"
