#!/usr/bin/env bash
# Everyday editing with the keyboard and the mouse: a state-change line drawn, Ctrl+Z and Ctrl+S
# (a file without objects), Ctrl+Y and Ctrl+S (the line again), 選択, a click on the line and
# another colour from the picker, saved; the caption with and without "*"; a document given on
# the command line opened at start, and a damaged one refused with the document left new. The
# files are read with `humidraw-cli dump`.
# Usage: editing.sh BIN_DIR   (run under xvfb-run; exits 77 when the tools are missing)
set -euo pipefail
bin=$1
. "$(dirname "$0")/lib.sh"
need openbox xprop xdotool import compare convert
start_wm

menu() {  # menu letter, item letter
  xdotool windowactivate --sync "$wid"
  xdotool key "alt+$1"
  sleep 0.3
  xdotool key "$2"
  sleep 0.8
}
keys() {
  xdotool windowactivate --sync "$wid"
  xdotool key "$@"
  sleep 0.8
}
caption() { xdotool getwindowname "$wid"; }
kinds_of() {
  "$bin/humidraw-cli" dump "$1" | grep -o '"kind": [0-9]*' | awk '{printf "%s ", $2}'
}

start
program=$(caption)
[[ "$program" =~ ^Humidraw\ ver\.[0-9.]+b$ ]] || fail "caption of a new document: $program"
import -window root "$work/before.png"
menu d l  # 作成 → 状態変化直線, from DB 26 / RH 50 (A) to DB 14 / RH 95 (B)
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
import -window root "$work/drawn.png"
[ "$(caption)" = "$program" ] || fail "a new document shows only the program: $(caption)"

keys ctrl+z
keys ctrl+s  # a new document asks for a name
sleep 0.7
xdotool key ctrl+a
xdotool type --delay 20 "$work/undone"
xdotool key Return
sleep 0.8
[ -f "$work/undone.hdw" ] || fail "Ctrl+S wrote nothing"
[ -z "$(kinds_of "$work/undone.hdw")" ] || fail "undone line saved: $(kinds_of "$work/undone.hdw")"
[ "$(caption)" = "$program - undone.hdw" ] || fail "caption after saving: $(caption)"

keys ctrl+y
[ "$(caption)" = "$program - *undone.hdw" ] || fail "caption of a modified document: $(caption)"
keys ctrl+s
[ "$(caption)" = "$program - undone.hdw" ] || fail "caption after Ctrl+S: $(caption)"
[ "$(kinds_of "$work/undone.hdw")" = "30 40 30 40 10 " ] ||
  fail "redone line not saved: $(kinds_of "$work/undone.hdw")"

# The line on the screen: of the pixels the drawing changed, the one in the middle of them
# from left to right (the labels are at the ends).
compare -metric AE "$work/before.png" "$work/drawn.png" -compose src -highlight-color black \
  -lowlight-color white "$work/diff.png" 2>/dev/null || true
read -r lx ly < <(convert "$work/diff.png" -threshold 50% txt:- |
  awk -F'[,: ]+' '/#000000/ {print $1, $2}' | sort -n | awk '{a[NR] = $0} END {print a[int(NR / 2)]}')
[ -n "${lx:-}" ] || fail "the drawn line was not found on the screen"
read -r ox oy < <(xwininfo -id "$wid" | awk '/Absolute upper-left X/ {x = $4}
  /Absolute upper-left Y/ {y = $4} END {print x, y}')
menu e s  # 編集 → 選択
xdotool mousemove "$lx" "$ly" click 1
sleep 0.5
import -window root "$work/selected.png"
# The colour picker, first on the line-property bar: its popup, then its first colour.
xdotool mousemove --window "$wid" 75 62 click 1
sleep 0.5
xdotool key Home Return
sleep 0.5
[ "$(caption)" = "$program - *undone.hdw" ] || fail "no change after the picker: $(caption)"
keys ctrl+s
colours=$("$bin/humidraw-cli" dump "$work/undone.hdw" |
  awk -F'[:,]' '/"kind": (10|30)/ {gsub(/ /, "", $2); gsub(/ /, "", $4); printf "%s:%s ", $2, $4}')
[ "$colours" = "30:7 30:7 10:1 " ] || fail "only the line takes colour 1: $colours"
stop

start "$work/undone.hdw"
[ "$(caption)" = "$program - undone.hdw" ] || fail "document from the command line: $(caption)"
[ "$(kinds_of "$work/undone.hdw")" = "30 40 30 40 10 " ] || fail "the opened file changed"
stop

head -c 100 "$work/undone.hdw" > "$work/bad.hdw"
"$work/humidraw" "${lang_args[@]}" "$work/bad.hdw" &
pid=$!
box=$(window_named 'Humidraw ｴﾗｰﾒｯｾｰｼﾞ') || fail "no message for a damaged document"
shot damaged
xdotool windowactivate --sync "$box" key Return
sleep 0.5
wid=$(xdotool search --onlyvisible --name 'Humidraw ver' | head -1)
[ "$(caption)" = "$program" ] || fail "after a damaged document: $(caption)"
stop
keep_shots
echo "editing test passed"
