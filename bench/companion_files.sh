#!/usr/bin/env bash
# Whole processes reading companion files (NAME.hdw.data) of up to 100 MB, well made and
# damaged: `humidraw-cli render` of a document beside each, with its wall time and peak memory
# (the resident set's high-water mark, /usr/bin/time). Each must be read or refused within 1 s
# and 200 MB; the chart alone is the first line, for comparison.
#   bench/companion_files.sh [BIN_DIR]   (default build/bin)
set -euo pipefail
cd "$(dirname "$0")/.."
bin=$(realpath "${1:-build/bin}")
[ -x "$bin/humidraw-cli" ] || { echo "no $bin/humidraw-cli: build first (scripts/build)" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp tests/fuzz/corpus/header-only.hdw "$work/doc.hdw"

python3 - "$work" <<'PY'
import sys, os
w = sys.argv[1]
MB = 100 << 20
def put(name, text):
    with open(os.path.join(w, name), 'w' if isinstance(text, str) else 'wb') as f:
        f.write(text)
def repeat(head, each, tail, size):
    n = max(1, (size - len(head) - len(tail)) // len(each))
    return head + each * n + tail, n
sets = ''.join('set 1 1 0050B0 2 0\nname s%d\n-499 0\n499 0.999\n' % i for i in range(1000))
put('sets-1000', 'humidraw-data 1\n' + sets + 'end\n')
put('zeros-100MB', b'\0' * MB)
for n in (1000, 10000):
    put('zones-%d' % n, 'humidraw-data 1\n' + ''.join(
        'zone 1 208020\nname z%d\nrange DB 18 28\nrange RH 40 70\n' % i for i in range(n)) + 'end\n')
put('zones-32', 'humidraw-data 1\n' + ''.join(
    'zone 1 208020\nname z%d\nrange DB 18 28\nrange RH 40 70\n' % i for i in range(32)) + 'end\n')
# The slowest outlines found: a wet-bulb bound above the chart.
put('zones-32-wet-bulb', 'humidraw-data 1\n' + ''.join(
    'zone 1 208020\nname z%d\nrange WB - 99\n' % i for i in range(32)) + 'end\n')
# Points as the program writes them (full precision, a time each), and the shortest lines.
line = '23.100000000000001 0.0091234567890123 2026-01-01 01:00\n'
n = (MB - 100) // len(line)
put('points-timed-100MB', 'humidraw-data 1\nset 1 0 0050B0 %d 1\nname year\n' % n + line * n + 'end\n')
n = (MB - 100) // 4
put('points-short-100MB', 'humidraw-data 1\nset 1 1 0050B0 %d 0\nname short\n' % n + '0 0\n' * n + 'end\n')
n = 6_990_000  # just within the 160 MB the points may take
put('points-7M-density', 'humidraw-data 1\nset 1 1 0050B0 %d 0\nname short\n' % n + '1 0\n' * n + 'end\n')
PY

printf '%-22s %10s %8s %10s %s\n' file size time peak status
run() {  # NAME (empty: the chart alone)
  rm -f "$work/doc.hdw.data"
  local size=0
  if [ -n "$1" ]; then ln "$work/$1" "$work/doc.hdw.data"; size=$(stat -c %s "$work/$1"); fi
  local status=0
  /usr/bin/time -f '%e %M' -o "$work/time" "$bin/humidraw-cli" render "$work/doc.hdw" \
    -o "$work/out.png" 2> "$work/err" || status=$?
  read -r secs kb < <(tail -n 1 "$work/time")
  printf '%-22s %10s %7ss %7s MB %s\n' "${1:-(chart alone)}" "$size" "$secs" "$((kb / 1024))" \
    "$status $(head -c 70 "$work/err" | tr '\n' ' ')"
}
run ""
for f in sets-1000 zeros-100MB zones-32 zones-32-wet-bulb zones-1000 zones-10000 points-timed-100MB \
  points-short-100MB points-7M-density; do
  run "$f"
done
