#!/usr/bin/env bash
# Wet bulbs per second, whole processes, side by side: `moistek call --batch` computing
# V_DBAH2WB line by line, and PsychroLib's JavaScript GetTWetBulbFromHumRatio in node on the
# same inputs (installed from the npm registry into a temporary folder).
#   moistek/bench/wetbulb_vs_psychrolib.sh [COUNT]      (default 200000)
set -euo pipefail
cd "$(dirname "$0")/../.."
count=${1:-200000}
moistek=build/bin/moistek
[ -x "$moistek" ] || { echo "build first: scripts/build" >&2; exit 1; }
command -v node >/dev/null || { echo "node is not installed" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && npm install --silent --no-audit --no-fund psychrolib@1 >/dev/null)

# Inputs: dry bulb 0..40 °C, humidity ratio 0.002..0.012 kg/kg(DA).
awk -v n="$count" 'BEGIN { srand(7); for (i = 0; i < n; i++)
  printf "V_DBAH2WB %.4f %.6f\n", 40 * rand(), 0.002 + 0.010 * rand() }' > "$work/in.txt"
cat > "$work/wb.js" <<'JS'
const psy = require('psychrolib');
psy.SetUnitSystem(psy.SI);
const lines = require('fs').readFileSync(process.argv[2], 'utf8').split('\n');
const out = [];
for (const line of lines) {
  if (!line) continue;
  const w = line.split(' ');
  out.push(psy.GetTWetBulbFromHumRatio(+w[1], +w[2], 101325).toString());
}
process.stdout.write(out.join('\n') + '\n');
JS

time_of() {
  local start end
  start=$(date +%s.%N)
  "$@" > /dev/null
  end=$(date +%s.%N)
  awk -v a="$start" -v b="$end" 'BEGIN { printf "%.6f", b - a }' 
}
m=$(time_of "$moistek" call --batch < "$work/in.txt")
j=$(time_of node "$work/wb.js" "$work/in.txt")
printf 'lines: %d\n' "$count"
awk -v t="$m" -v n="$count" 'BEGIN { printf "moistek call --batch: %.3f s, %.2f us per line\n", t, t * 1e6 / n }'
awk -v t="$j" -v n="$count" 'BEGIN { printf "node psychrolib:      %.3f s, %.2f us per line\n", t, t * 1e6 / n }'
