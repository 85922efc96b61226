#!/usr/bin/env bash
# The program in English under an English locale: its menus open dialogs with English captions,
# Qt's own file dialog is English too; the options dialog's language item, applied, tells that a
# restart switches the language, and once saved the next start is in Japanese; --lang wins over
# both, and a language we have no translation for is refused.
# Usage: language.sh BIN_DIR   (run under xvfb-run; exits 77 when the tools are missing)
set -euo pipefail
bin=$1
. "$(dirname "$0")/lib.sh"
need openbox xprop xwininfo xdotool import
start_wm
# A locale that is not installed would leave the tools reading captions in the C locale.
locale -a | grep -qix 'en_US.utf-\?8' || fail "en_US.UTF-8 is missing: run scripts/install-deps"
unset LC_ALL LC_MESSAGES LANGUAGE
export LANG=en_US.UTF-8
lang_args=()

# Opens a dialog by keys on the main window and waits for its caption.
opens() {
  local caption=$1
  shift
  xdotool windowactivate --sync "$wid"
  local k
  for k in "$@"; do
    xdotool key "$k"
    sleep 0.5
  done
  window_named "$caption" >/dev/null || window_named "$caption" >/dev/null ||
    fail "no window '$caption' after $*"
}
closes() {
  xdotool key Escape
  sleep 0.5
  visible "$1" && fail "'$1' still open"
  return 0
}

start
# Qt's own file dialog first: a document the dialogs below leave changed would ask to be saved.
opens "Open" alt+f o
shot language_open_en
closes "Open"
opens "Humidraw Options" alt+o Return
shot language_options_en
closes "Humidraw Options"
opens "Humidraw State Change Line" alt+d l
shot language_line_en
closes "Humidraw State Change Line"
opens "Humidraw Single Coil System" alt+a s
shot language_coil_en
closes "Humidraw Single Coil System"

# The language item (after the pressure, the altitude, the dry-bulb limits, the font name and
# size): 日本語, applied.
opens "Humidraw Options" alt+o Return
xdotool key Tab Tab Tab Tab Tab Tab Down
sleep 0.3
xdotool key alt+a
window_named Humidraw >/dev/null || fail "applying another language told nothing"
shot language_restart_note
xdotool key Return
sleep 0.5
visible Humidraw && fail "the note did not close"
xdotool key alt+s
window_named Humidraw >/dev/null || fail "saving told nothing"
xdotool key Return
sleep 0.3
closes "Humidraw Options"
tr -d '\r' < "$work/humidraw.ini" | grep -qx 'Language=ja' || fail "not saved: $(cat "$work/humidraw.ini")"
# The drawing commands opened above leave a question on closing: no closing steps are needed.
kill_program

# The saved choice wins over the English locale; --lang over both.
start
opens "Humidrawの設定" alt+o Return
closes "Humidrawの設定"
opens "開く" alt+f o
shot language_open_ja
closes "開く"
stop
start --lang en
opens "Humidraw Options" alt+o Return
closes "Humidraw Options"
stop

status=0
"$work/humidraw" --lang fr 2>"$work/err.txt" || status=$?
[ "$status" = 2 ] && grep -q -- '--lang' "$work/err.txt" || fail "--lang fr: status $status, $(cat "$work/err.txt")"
keep_shots
echo "language test passed"
