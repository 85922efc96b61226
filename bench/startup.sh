#!/usr/bin/env bash
# Whole processes: from starting the program to its first painted window, the moment its first
# picture goes to the X server (a preloaded library stamps the first image put and ends the
# process there). Runs on a virtual X screen; prints the median and the spread of RUNS starts of
# each build, wall clock and the process's CPU time, the builds taking turns (to compare two
# builds on a busy machine, where the CPU time is the steadier figure).
#   bench/startup.sh [RUNS] [BIN_DIR...]   (default 20, build/bin; needs xvfb-run and a C compiler)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-20}
shift || true
bins=()
for b in "${@:-build/bin}"; do
  [ -x "$b/humidraw" ] || { echo "no $b/humidraw: build first (scripts/build)" >&2; exit 1; }
  bins+=("$(realpath "$b")")
done
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$runs" "${bins[@]}"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cat > "$work/first_put.c" <<'C'
// Stands in for libxcb's two image puts (only the names matter: nothing is drawn after them).
#include <stdio.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

typedef struct { unsigned int sequence; } cookie;
static cookie stamp(void) {
    struct timespec t;
    clock_gettime(CLOCK_REALTIME, &t);
    struct rusage u;
    getrusage(RUSAGE_SELF, &u);
    const double cpu = u.ru_utime.tv_sec + u.ru_stime.tv_sec +
                       (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
    FILE* f = fopen(getenv("FIRST_PUT_FILE"), "w");
    if (f) fprintf(f, "%ld.%09ld %.6f\n", (long)t.tv_sec, t.tv_nsec, cpu), fclose(f);
    _exit(0);
}
cookie xcb_shm_put_image(void) { return stamp(); }
cookie xcb_put_image(void) { return stamp(); }
C
cc -shared -fPIC -O2 -o "$work/first_put.so" "$work/first_put.c"
# For comparison: an empty Qt window of the main window's size, when Qt's development files are
# there.
if command -v c++ >/dev/null && pkg-config --exists Qt6Widgets; then
  mkdir -p "$work/empty-qt-window/lib"
  printf '%s\n' '#include <QApplication>' '#include <QWidget>' \
    'int main(int c, char** v) { QApplication a(c, v); QWidget w; w.resize(724, 584);' \
    '  w.show(); return a.exec(); }' > "$work/empty.cpp"
  # shellcheck disable=SC2046
  c++ -fPIC -O2 -o "$work/empty-qt-window/humidraw" "$work/empty.cpp" \
    $(pkg-config --cflags --libs Qt6Widgets)
  bins+=("$work/empty-qt-window")
fi
export FIRST_PUT_FILE="$work/put.txt"
# One start of the program in BIN_DIR, from a folder of its own (its settings file beside it).
start_once() {
  local n=$1 dir="$work/$1"
  mkdir -p "$dir"
  [ -x "$dir/humidraw" ] || cp "${bins[$n]}/humidraw" "$dir/"
  rm -f "$dir/humidraw.ini" "$work/put.txt"
  local start
  start=$(date +%s.%N)
  LD_LIBRARY_PATH="${bins[$n]}/../lib" LD_PRELOAD="$work/first_put.so" "$dir/humidraw" \
    >/dev/null 2>&1 || true
  [ -s "$work/put.txt" ] || { echo "no picture was put" >&2; exit 1; }
  read -r stamp cpu < "$work/put.txt"
  awk -v a="$start" -v b="$stamp" -v c="$cpu" 'BEGIN { printf "%.1f %.1f\n", 1000 * (b - a), 1000 * c }' \
    >> "$work/times.$n"
}
for i in $(seq "$runs"); do
  for n in "${!bins[@]}"; do start_once "$n"; done
done
for n in "${!bins[@]}"; do
  label=${bins[$n]}
  [ "$label" = "$work/empty-qt-window" ] && label="empty Qt window, 724 × 584"
  cut -d' ' -f2 "$work/times.$n" | sort -n > "$work/cpu.$n"
  cut -d' ' -f1 "$work/times.$n" | sort -n | paste - "$work/cpu.$n" | awk -v b="$label" '
    { v[NR] = $1; c[NR] = $2 } END {
    m = int((NR + 1) / 2)
    printf "%s: start to first painted window, median %.1f ms (%.1f to %.1f ms), CPU %.1f ms (%.1f to %.1f), %d runs\n",
           b, v[m], v[1], v[NR], c[m], c[1], c[NR], NR }'
done
