#!/usr/bin/env bash
# The real program with 1.5 device pixels per pixel (QT_SCALE_FACTOR=1.5) on a virtual X
# screen: the chart's lines on screen are one device pixel wide, as sharp as at 1.0, not the
# doubled rows and columns of a picture enlarged; a rubber band drawn with the mouse goes away
# without a trace when the command ends.
# Usage: hidpi.sh BIN_DIR   (run under xvfb-run; exits 77 when the tools are missing)
set -euo pipefail
bin=$1
. "$(dirname "$0")/lib.sh"
need openbox xprop xdotool import convert python3
start_wm

# Of the grey (#808080) pixels in a part of a screenshot, the share lying in a 2 × 2 square of
# grey, in per cent. A line one device pixel wide hardly ever fills such a square.
grey_squares() {  # file, geometry (WxH+X+Y)
  convert "$1" -crop "$2" +repage -depth 8 "rgb:$work/part.rgb"
  python3 - "$work/part.rgb" "${2%%+*}" <<'PY'
import sys
data = open(sys.argv[1], 'rb').read()
w, h = (int(v) for v in sys.argv[2].split('x'))
grey = lambda x, y: data[3 * (y * w + x):3 * (y * w + x) + 3] == b'\x80\x80\x80'
g = s = 0
for y in range(h - 1):
    for x in range(w - 1):
        if grey(x, y):
            g += 1
            s += grey(x + 1, y) and grey(x, y + 1) and grey(x + 1, y + 1)
print(round(100 * s / max(g, 1), 1), g)
PY
}

QT_SCALE_FACTOR=1.5 start
eval "$(xdotool getwindowgeometry --shell "$wid")"
[ "$WIDTH" = 1086 ] || fail "window ${WIDTH} device pixels wide, not 724 × 1.5"
shot sharp
# The chart in the middle of the window, away from the bars.
part=600x500+$((X + 240))+$((Y + 200))
read -r share greys < <(grey_squares "$work/sharp.png" "$part")
[ "$greys" -gt 2000 ] || fail "no chart on screen ($greys grey pixels)"
awk -v s="$share" 'BEGIN { exit !(s < 10) }' || fail "lines wider than a device pixel ($share %)"
echo "sharp: $share % of $greys grey pixels in squares"

# The same picture enlarged 1.5 times fills many squares: the measure tells them apart.
convert "$work/sharp.png" -crop "$part" +repage -filter point -resize 150% "$work/enlarged.png"
read -r share _ < <(grey_squares "$work/enlarged.png" 600x500+0+0)
awk -v s="$share" 'BEGIN { exit !(s > 20) }' || fail "enlarged: only $share %"
echo "enlarged: $share %"

# A free segment's rubber band follows the pointer and leaves nothing behind.
xdotool key --window "$wid" alt+d
sleep 0.3
xdotool key f
sleep 0.5
shot before
xdotool mousemove --window "$wid" 450 400 click 1
sleep 0.2
xdotool mousemove --window "$wid" 700 550
sleep 0.5
shot band
xdotool key Escape
sleep 0.5
shot after
box=700x500+$((X + 200))+$((Y + 150))
compare_parts() {
  convert "$work/$1.png" -crop "$box" +repage "$work/$1-box.png"
  convert "$work/$2.png" -crop "$box" +repage "$work/$2-box.png"
  compare -metric AE "$work/$1-box.png" "$work/$2-box.png" null: 2>&1 || true
}
[ "$(compare_parts before band)" != 0 ] || fail "no rubber band on screen"
[ "$(compare_parts before after)" = 0 ] || fail "the band left $(compare_parts before after) pixels"
kill_program
echo "ok"
