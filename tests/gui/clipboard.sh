#!/usr/bin/env bash
# ｸﾘｯﾌﾟﾎﾞｰﾄﾞ出力 in the real program, read back by another program (xclip): the enhanced metafile,
# SVG and PNG of the same 1200 × 900 drawing.
# Usage: clipboard.sh BIN_DIR   (run under xvfb-run; exits 77 when the tools are missing)
set -euo pipefail
bin=$1
. "$(dirname "$0")/lib.sh"
need openbox xprop xdotool xclip identify
start_wm

start
xdotool windowactivate --sync "$wid"
xdotool key alt+e
sleep 0.3
xdotool key b  # 編集 → ｸﾘｯﾌﾟﾎﾞｰﾄﾞ出力
sleep 1.5
xdotool key Return  # the message
sleep 0.5
targets=$(xclip -selection clipboard -t TARGETS -o)
for t in image/x-emf image/svg+xml image/png; do
  echo "$targets" | grep -qx "$t" || fail "no $t on the clipboard: $targets"
done
xclip -selection clipboard -t image/png -o > "$work/clip.png"
xclip -selection clipboard -t image/x-emf -o > "$work/clip.emf"
xclip -selection clipboard -t image/svg+xml -o > "$work/clip.svg"
[ "$(identify -format '%wx%h' "$work/clip.png")" = 1200x900 ] || fail "PNG size"
[ "$(head -c 44 "$work/clip.emf" | tail -c 4)" = " EMF" ] || fail "not an enhanced metafile"
grep -q '<svg' "$work/clip.svg" || fail "not SVG"
stop
echo "clipboard test passed"
