#!/usr/bin/env bash
# Messages under a window manager open above the dialog that raised them, centred over it and
# with the keyboard focus, so the user can answer them: the options dialog's 設定保存 and its
# range warning, the state-change line, point and coil dialogs. Keyboard only.
# Usage: messages.sh BIN_DIR   (run under xvfb-run; exits 77 when the tools are missing)
set -euo pipefail
bin=$1
. "$(dirname "$0")/lib.sh"
need openbox xprop xwininfo xdotool import
start_wm

transient_for() { xprop -id "$1" WM_TRANSIENT_FOR | sed -n 's/.*# //p' | xargs printf '%d\n'; }

# The message on top of `dialog` (id), named in failures by `what`; answered with Enter, after
# which the dialog is on top again (or gone, with a third argument "hides").
message_over() {
  local dialog=$1 what=$2 hides=${3:-} top i
  for i in $(seq 50); do
    top=$(top_window)
    [ "$top" != "$dialog" ] && [ "$top" != "$wid" ] && break
    sleep 0.1
  done
  [ "$(transient_for "$top")" = "$dialog" ] || fail "$what: the window on top is not its message"
  sleep 0.3
  [ "$(active_window)" = "$top" ] || fail "$what: the message has not the focus"
  read -r cx cy mx my <<<"$(centre_of "$dialog") $(centre_of "$top")"
  [ $(((cx - mx) * (cx - mx) + (cy - my) * (cy - my))) -le 900 ] ||
    fail "$what: not centred over the dialog ($cx,$cy against $mx,$my)"
  shot "message-$what"
  xdotool key Return
  for i in $(seq 30); do
    if [ -n "$hides" ]; then
      [ "$(top_window)" = "$wid" ] && return 0
    else
      [ "$(top_window)" = "$dialog" ] && return 0
    fi
    sleep 0.1
  done
  fail "$what: the message did not close or the dialog is not back on top"
}

start
# 設定 → 設定保存(S): the message over the options dialog.
xdotool key alt+o
sleep 0.3
xdotool key Return
options=$(window_named 'Humidrawの設定') || fail "no options dialog"
xdotool key alt+s
message_over "$options" save
# Lower limit 35 (past the pressure and the altitude), upper 30, 適用(A): the range warning
# over it.
xdotool key Tab Tab ctrl+a
xdotool type 35
xdotool key Return ctrl+a
xdotool type 30
xdotool key alt+a
message_over "$options" range
xdotool key Escape
sleep 0.5
visible 'Humidrawの設定' && fail "Esc left the options dialog open"
[ "$(active_window)" = "$wid" ] || fail "the main window is not active after the options dialog"

# 作成 → 状態変化直線: a start value that is no number.
xdotool key alt+d
sleep 0.3
xdotool key l
line=$(window_named 'Humidraw 状態変化直線の作成') || fail "no line dialog"
xdotool key Tab ctrl+a
xdotool type 2x6
xdotool key Return
message_over "$line" line
xdotool key Escape
sleep 0.5
visible 'Humidraw 状態変化直線の作成' && fail "Esc left the line dialog open"

# 線分記入, Shift + right click: the point dialog, the same property twice.
xdotool key alt+d
sleep 0.3
xdotool key f
sleep 0.3
xdotool mousemove --window "$wid" 400 350 keydown shift click 3 keyup shift
point=$(window_named '始点の状態値を入力') || fail "no point dialog"
xdotool key Tab Tab Up Return
message_over "$point" point hides
sleep 0.3
visible '始点の状態値を入力' && fail "the point dialog stayed after its message"
xdotool key Escape

# 自動記入 → ｼﾝｸﾞﾙｺｲﾙ方式: an outdoor value that is no number; the dialog stays above the
# main window while its message shows.
[ "$(active_window)" = "$wid" ] || fail "the main window has not the keyboard after the point dialog"
xdotool key alt+a
sleep 0.3
xdotool key s
coil=$(window_named 'Humidraw ｼﾝｸﾞﾙｺｲﾙ方式') || fail "no coil dialog"
xdotool key Tab Tab ctrl+a  # from the first selector past the second to the first value
xdotool type abc
xdotool key Return
sleep 0.5
below=$(stacking | grep -n -x -e "$wid" -e "$coil" | cut -d: -f2 | tr '\n' ' ')
[ "$below" = "$wid $coil " ] ||
  fail "the coil dialog is below the main window while its message shows: $(stacking | tr '\n' ' ')"
message_over "$coil" coil
xdotool key Escape
sleep 0.5
visible 'Humidraw ｼﾝｸﾞﾙｺｲﾙ方式' && fail "Esc left the coil dialog open"
kill_program
keep_shots
echo "messages test passed"
