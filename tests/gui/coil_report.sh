#!/usr/bin/env bash
# The coil report on a desktop: 記入 in the single-coil dialog opens the report window beside
# the dialog, and its コピー button puts the report on the clipboard as tab-separated text (read
# back by another program, xclip) and as HTML; Esc closes it. Keyboard only.
# Usage: coil_report.sh BIN_DIR   (run under xvfb-run; exits 77 when the tools are missing)
set -euo pipefail
bin=$1
. "$(dirname "$0")/lib.sh"
need openbox xprop xwininfo xdotool xclip import
start_wm

# Client area of a window: "x y width height" (absolute, without the frame).
client_of() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ {x = $4} /Absolute upper-left Y/ {y = $4}
    /Width:/ {w = $2} /Height:/ {h = $2} END {print x, y, w, h}'
}

start
xdotool key alt+a
sleep 0.3
xdotool key s  # 自動記入 → ｼﾝｸﾞﾙｺｲﾙ方式
coil=$(window_named 'Humidraw ｼﾝｸﾞﾙｺｲﾙ方式') || fail "no coil dialog"
sleep 0.3
read -r dfx dfy <<<"$(frame_origin "$coil")"
read -r dx dy dw dh <<<"$(client_of "$coil")"
visible 'Humidraw ｼﾝｸﾞﾙｺｲﾙ方式 計算結果' && fail "a report before any run"
xdotool windowactivate --sync "$coil"
xdotool key Return  # 記入
report=$(window_named 'Humidraw ｼﾝｸﾞﾙｺｲﾙ方式 計算結果') || fail "no report window after 記入"
sleep 0.5
shot coil-report
read -r rfx rfy <<<"$(frame_origin "$report")"
read -r rx ry rw rh <<<"$(client_of "$report")"
# Beside the dialog: wholly right of its client area or wholly left of it, tops level (the two
# frames alike, a few pixels of tolerance).
if [ "$rfx" -ge $((dx + dw)) ]; then
  side=right
elif [ $((rx + rw)) -le "$dfx" ]; then
  side=left
else
  fail "the report ($rfx..$((rx + rw))) overlaps the dialog ($dfx..$((dx + dw)))"
fi
[ $((rfy - dfy)) -le 3 ] && [ $((dfy - rfy)) -le 3 ] ||
  fail "the report's top $rfy is not level with the dialog's $dfy"
echo "report $side of the dialog"
# The run completed: the dialog is gone, the report stays.
visible 'Humidraw ｼﾝｸﾞﾙｺｲﾙ方式' && fail "the coil dialog stayed open"

xdotool windowactivate --sync "$report"
xdotool key alt+c  # コピー
sleep 0.5
targets=$(xclip -selection clipboard -t TARGETS -o)
echo "$targets" | grep -qx 'text/html' || fail "no HTML on the clipboard: $targets"
xclip -selection clipboard -o >"$work/report.tsv"
grep -qP '^冷却コイル 全熱負荷\t111154\tkcal/h\t129.25\tkW$' "$work/report.tsv" ||
  fail "the cooling coil's load is not a tab-separated row: $(head -c 600 "$work/report.tsv")"
grep -qP '^C:OA\t34.0\t60.0\t27.3\t20.56\t0.0203$' "$work/report.tsv" ||
  fail "the states are not tab-separated rows"
xclip -selection clipboard -t text/html -o >"$work/report.html"
grep -q '<td>冷却コイル 全熱負荷</td>' "$work/report.html" ||
  fail "the HTML has not the report's table"
# Esc closes the report as 閉じる does.
xdotool windowactivate --sync "$report"
xdotool key Escape
sleep 0.5
visible 'Humidraw ｼﾝｸﾞﾙｺｲﾙ方式 計算結果' && fail "Esc left the report open"
kill_program
keep_shots
echo "coil report test passed"
