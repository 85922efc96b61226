#!/usr/bin/env bash
# The fitted chart follows the window's size on a desktop: after the start-up fit the window is
# made larger, where the chart's white paper fills the middle of it (no grey field around a
# small chart), and then as small as it started, where it shows what it showed at the start.
# Usage: window_size.sh BIN_DIR   (run under xvfb-run; exits 77 when the tools are missing)
set -euo pipefail
bin=$1
. "$(dirname "$0")/lib.sh"
need openbox xprop xwininfo xdotool import convert compare
start_wm

# The share of white paper in the middle of the window: 800 × 500 pixels around its centre.
paper_share() {
  local cx cy
  read -r cx cy <<<"$(centre_of "$wid")"
  import -window root "$work/$1.png"
  convert "$work/$1.png" -crop "$2x$3+$((cx - $2 / 2))+$((cy - $3 / 2))" +repage \
    -fill black +opaque white -format '%[fx:mean]' info:
}

start
xdotool windowmove --sync "$wid" 0 0
sleep 0.5
import -window "$wid" "$work/before.png"
xdotool windowsize --sync "$wid" 1260 960
sleep 1
large=$(paper_share large 800 500)
echo "paper in the middle of the large window: $large"
# A chart left at the small window's fit would cover about 640 × 470 of the 800 × 500.
awk -v m="$large" 'BEGIN { exit !(m > 0.8) }' ||
  fail "the chart did not grow with the window ($large white)"
# Back to the size it started with: fitted again, the window shows what it showed then.
xdotool windowsize --sync "$wid" 724 584
sleep 1
import -window "$wid" "$work/after.png"
differ=$(compare -metric AE "$work/before.png" "$work/after.png" null: 2>&1 || true)
echo "pixels differing from the start: $differ"
[ "${differ%% *}" -lt 2000 ] 2>/dev/null ||
  fail "the chart did not shrink back with the window ($differ pixels differ)"
kill_program
keep_shots
echo "window size test passed"
