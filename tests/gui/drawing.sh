#!/usr/bin/env bash
# The real program driven by keyboard and mouse only: a state-change line from DB 26 / RH 50
# labelled A to DB 14 / RH 95 labelled B through its dialog, a free segment drawn with the mouse,
# saved; started again, the document opened and saved under another name. The files are then
# read with `humidraw-cli dump` and the objects and states checked.
# Usage: drawing.sh BIN_DIR   (run under xvfb-run; exits 77 when the tools are missing)
set -euo pipefail
bin=$1
. "$(dirname "$0")/lib.sh"
need openbox xprop xdotool import
start_wm

menu() {  # menu letter, item letter
  xdotool windowactivate --sync "$wid"
  xdotool key "alt+$1"
  sleep 0.3
  xdotool key "$2"
  sleep 0.8
}
file_dialog() {  # types a path into the file dialog that has just opened
  sleep 0.7
  xdotool key ctrl+a
  xdotool type --delay 20 "$1"
  xdotool key Return
  sleep 0.8
}

start
menu d l  # 作成 → 状態変化直線
xdotool key Tab Tab Tab Tab Tab
xdotool type A
xdotool key Tab Tab Tab ctrl+a
xdotool type 14
xdotool key Tab Tab ctrl+a
xdotool type 95
xdotool key Tab Tab
xdotool type B
xdotool key Return
sleep 0.8
import -window root "$work/line.png"
menu d f  # 作成 → 線分記入
xdotool mousemove --window "$wid" 300 300 click 1
sleep 0.2
xdotool mousemove --window "$wid" 380 360
sleep 0.2
xdotool mousemove --window "$wid" 420 380 click 1
sleep 0.2
xdotool click 3
sleep 0.5
import -window root "$work/segment.png"
menu f a  # ﾌｧｲﾙ → 名前を付けて保存
file_dialog "$work/plan"
[ -f "$work/plan.hdw" ] || fail "plan.hdw was not written"
stop

start
menu f o  # ﾌｧｲﾙ → 開く
file_dialog "$work/plan.hdw"
menu f a
file_dialog "$work/again"
stop
[ -f "$work/again.hdw" ] || fail "the opened document was not saved again"

"$bin/humidraw-cli" dump "$work/plan.hdw" > "$work/plan.json"
"$bin/humidraw-cli" dump "$work/again.hdw" > "$work/again.json"
kinds=$(grep -o '"kind": [0-9]*' "$work/plan.json" | awk '{printf "%s ", $2}')
[ "$kinds" = "30 40 30 40 10 10 " ] || fail "objects in the file: $kinds"
grep -q '"text": "A,26.0,50.0,' "$work/plan.json" || fail "row of A"
grep -q '"text": "B,14.0,95.0,' "$work/plan.json" || fail "row of B"
# The states agree with the library to the last bit.
a=$("$bin/moistek" call C_DBRH 26 50 0 0 0 0 0)
b=$("$bin/moistek" call C_DBRH 14 95 0 0 0 0 0)
ha=$(echo "$a" | awk '{print $5}'); xa=$(echo "$a" | awk '{print $4}')
hb=$(echo "$b" | awk '{print $5}'); xb=$(echo "$b" | awk '{print $4}')
line=$(grep '"kind": 10' "$work/plan.json" | head -1)
echo "$line" | grep -q "\"h1\": $hb, \"x1\": $xb, \"h2\": $ha, \"x2\": $xa," ||
  fail "line states differ from the library: $line (A $ha $xa, B $hb $xb)"
cmp -s "$work/plan.json" "$work/again.json" || fail "the reopened document differs"
keep_shots
echo "drawing test passed"
