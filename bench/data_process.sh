#!/usr/bin/env bash
# Whole processes: `humidraw-cli zones` on a generated CSV file of ROWS rows of DB and RH (the
# climate of data_bench: a yearly and a daily swing), with the three zone presets and with
# building-hygiene alone (which needs no wet bulb or dew point). Prints, for each build, the
# processor time (user + system), the wall clock and the peak resident memory from
# /usr/bin/time -v, the best of RUNS runs, the builds taking turns.
#   bench/data_process.sh [ROWS] [RUNS] [BIN_DIR...]   (default 10000000, 1, build/bin)
set -euo pipefail
cd "$(dirname "$0")/.."
rows=${1:-10000000}
runs=${2:-1}
shift 2 || shift $# || true
bins=()
for b in "${@:-build/bin}"; do
  [ -x "$b/humidraw-cli" ] || { echo "no $b/humidraw-cli: build first (scripts/build)" >&2; exit 1; }
  bins+=("$(realpath "$b")")
done
[ -x /usr/bin/time ] || { echo "needs /usr/bin/time (Debian time)" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
awk -v n="$rows" 'BEGIN {
  print "time,DB,RH"; pi = atan2(0, -1)
  for (i = 0; i < n; i++)
    printf "%d,%.1f,%.1f\n", i, 15 - 12 * cos(i * 2 * pi / 8760) + 4 * sin(i * 2 * pi / 24),
           60 + 25 * sin(i * 0.37)
}' > "$work/data.csv"
echo "$rows rows, $(stat -c %s "$work/data.csv") bytes"
# One run: "cpu_s wall_s peak_kB" of BIN_DIR with the zone arguments.
run_once() {
  local bin=$1
  shift
  /usr/bin/time -v -o "$work/time.txt" "$bin/humidraw-cli" zones --data "$work/data.csv" "$@" --json \
    > "$work/out.json"
  awk -F': ' '/User time/ { u = $2 } /System time/ { s = $2 } /Maximum resident/ { m = $2 }
    /Elapsed/ { n = split($2, t, ":"); w = 0; for (i = 1; i <= n; i++) w = w * 60 + t[i] }
    END { printf "%.2f %.2f %d\n", u + s, w, m }' "$work/time.txt"
}
for zones in "" "--zone building-hygiene"; do
  echo "zones: ${zones:-the three presets}"
  for n in "${!bins[@]}"; do : > "$work/runs.$n"; done
  for i in $(seq "$runs"); do
    # shellcheck disable=SC2086
    for n in "${!bins[@]}"; do run_once "${bins[$n]}" $zones >> "$work/runs.$n"; done
  done
  for n in "${!bins[@]}"; do
    sort -n "$work/runs.$n" | head -1 | awk -v b="${bins[$n]}" \
      '{ printf "  %s: %.2f s processor, %.2f s wall, %.0f MB peak\n", b, $1, $2, $3 / 1024 }'
  done
done
