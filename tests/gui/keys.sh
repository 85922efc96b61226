#!/usr/bin/env bash
# Dialog keys and the view under a window manager: Esc closes each dialog and gives the main
# window back; Enter confirms the line dialog from its first selector and closes the about box;
# the options dialog's limits take the nearest bound; the point and text dialogs are fixed tool
# windows; the wheel zooms over a scrolled chart; a save writes the view as it is.
# Usage: keys.sh BIN_DIR   (run under xvfb-run; exits 77 when the tools are missing)
set -euo pipefail
bin=$1
. "$(dirname "$0")/lib.sh"
need openbox xprop xdotool import
start_wm

menu() {  # menu letter, item key
  xdotool key "alt+$1"
  sleep 0.3
  xdotool key "$2"
  sleep 0.6
}
# Esc in the window named $1 closes it, and the main window has the keyboard again.
escape_closes() {
  xdotool key Escape
  sleep 0.5
  visible "$1" && fail "Esc left '$1' open"
  [ "$(active_window)" = "$wid" ] || fail "the main window is not active after '$1'"
}
type_file_name() {  # into the save dialog, once it is there
  window_named '名前を付けて保存' >/dev/null || fail "no save dialog"
  sleep 0.3
  xdotool key ctrl+a
  xdotool type --delay 10 "$1"
  xdotool key Return
}
save_as() {  # the document under this name, read back as JSON
  menu f a
  type_file_name "$work/$1"
  sleep 0.8
  "$bin/humidraw-cli" dump "$work/$1.hdw" >"$work/$1.json" || fail "$1 was not saved"
}
field() { grep -o "\"$2\": [-0-9.e+]*" "$work/$1.json" | head -1 | awk '{print $2}'; }

start
# Options, which open at the pressure: Tab to the altitude, "1600", Enter (to the lower limit),
# "-30", Enter (to the upper limit), "100", 設定保存.
menu o Return
window_named 'Humidrawの設定' >/dev/null || fail "no options dialog"
xdotool key Tab
xdotool type 1600
xdotool key Return ctrl+a
xdotool type -- -30
xdotool key Return ctrl+a
xdotool type 100
xdotool key alt+s
sleep 0.8
xdotool key Return  # the message
sleep 0.3
tr -d '\r' <"$work/humidraw.ini" >"$work/ini.txt"
grep -qx 'CSdbmin=-20' "$work/ini.txt" || fail "lower limit: $(grep CSdbmin "$work/ini.txt")"
grep -qx 'CSdbmax=80' "$work/ini.txt" || fail "upper limit: $(grep CSdbmax "$work/ini.txt")"
# 1600 m: 101.325 kPa × (1 − 2.25577e−5 × 1600)^5.2559 × 7.50062 = 626.48 mmHg.
grep -qx 'CSalt=1600' "$work/ini.txt" || fail "altitude: $(grep CSalt "$work/ini.txt")"
grep -qx 'CSpa=626' "$work/ini.txt" || fail "pressure: $(grep CSpa "$work/ini.txt")"
escape_closes 'Humidrawの設定'

# The about box: Enter, then Esc.
menu h a
window_named 'Humidraw' >/dev/null || fail "no about box"
xdotool key Return
sleep 0.4
visible Humidraw && fail "Enter left the about box open"
menu h a
escape_closes Humidraw

# The line dialog: Enter on its first selector draws the line; Esc closes it.
menu d l
line='Humidraw 状態変化直線の作成'
window_named "$line" >/dev/null || fail "no line dialog"
xdotool key Return
sleep 0.5
visible "$line" && fail "Enter on the first selector did not confirm"
menu d l
escape_closes "$line"

# The text dialog: a fixed tool window with the whole caption; Esc closes it.
xdotool mousemove --window "$wid" 291 31 click 1  # 文字記入 on the command bar
text=$(window_named 'Humidraw 文字作成') || fail "no text dialog"
actions=$(xprop -id "$text" _NET_WM_ALLOWED_ACTIONS)
case "$actions" in *MAXIMIZE*) fail "the text dialog can be maximised: $actions" ;; esac
shot text-dialog
escape_closes 'Humidraw 文字作成'

# The point dialog likewise, and Esc there is its ｷｬﾝｾﾙ.
menu d f
xdotool mousemove --window "$wid" 400 350 keydown shift click 3 keyup shift
point=$(window_named '始点の状態値を入力') || fail "no point dialog"
actions=$(xprop -id "$point" _NET_WM_ALLOWED_ACTIONS)
case "$actions" in *MAXIMIZE*) fail "the point dialog can be maximised: $actions" ;; esac
shot point-dialog
escape_closes '始点の状態値を入力'
xdotool key Escape  # ends the segment command

# The coil dialog.
menu a s
escape_closes 'Humidraw ｼﾝｸﾞﾙｺｲﾙ方式'

# 全体表示, 拡大表示 twice: scroll bars; the wheel over the chart is one zoom step.
menu v a
menu v i
menu v i
save_as before
xdotool mousemove --window "$wid" 360 330 click 4
sleep 0.5
save_as wheel
awk -v a="$(field before zoom)" -v b="$(field wheel zoom)" \
  'BEGIN { exit !(b / a > 1.1999 && b / a < 1.2001) }' ||
  fail "the wheel did not zoom in one step: $(field before zoom) to $(field wheel zoom)"
# A middle-button drag scrolls; the next save has the new scroll positions.
xdotool mousemove --window "$wid" 360 330 mousedown 2
for step in 1 2 3 4 5 6; do
  xdotool mousemove --window "$wid" $((360 - 10 * step)) $((330 - 6 * step))
  sleep 0.05
done
xdotool mouseup 2
sleep 0.3
save_as panned
[ -n "$(field panned HorzScroll)" ] && [ "$(field panned HorzScroll)" != "$(field wheel HorzScroll)" ] ||
  fail "the saved horizontal scroll position is stale: $(field panned HorzScroll)"
# A save into a folder that is not there: the message names the failure under its whole
# caption, over the main window, with the keyboard.
menu f a
type_file_name "$work/gone/plan"
error=$(window_named 'Humidraw ｴﾗｰﾒｯｾｰｼﾞ') || fail "no message for the failed save"
sleep 0.3
[ "$(active_window)" = "$error" ] || fail "the save's message has not the keyboard"
shot save-error
xdotool key Return
kill_program
echo "keys test passed"
