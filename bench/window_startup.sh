#!/usr/bin/env bash
# Start-up of the window to its first paint, against its floor: runs the
# program's probe (k2_window_startup_probe, the program's own start-up ended
# at the first paint of the frame) and a bare Qt Widgets window with a menu
# bar, a toolbar and 49 labels (k2_bare_window_probe), alternately, RUNS
# times each on an X display of its own (Xvfb, with openbox as window
# manager when installed). Prints the median wall and CPU times of both,
# their ratio, and VmRSS at the first paint.
# The program reads a settings file at the default position; with GRID=1
# it holds "[Grid]" "1", the grid's second line on.
# usage: [GRID=1] bench/window_startup.sh [path/to/bin-folder [RUNS]]
set -euo pipefail
bin=$(cd "${1:-build/bin}" && pwd)
runs=${2:-10}
for probe in k2_window_startup_probe k2_bare_window_probe; do
    [ -x "$bin/$probe" ] || { echo "no $bin/$probe" >&2; exit 2; }
done
scratch=$(mktemp -d)
xvfb_pid=""; wm_pid=""
cleanup() {
    [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT
cp "$bin/k2_window_startup_probe" "$bin/k2_bare_window_probe" "$bin"/*.Def "$scratch/"
{
    printf ';;;;;;;;;;;;; Kalendo2.Ini For Ver. 1.18 ;;;;;;;;;;;;;\n\n[Position]\n457 : 336\n\n'
    printf '[Size]\n0\n\n[View]\n0\n\n'
    if [ "${GRID:-0}" = 1 ]; then printf '[Grid]\n1\n'; fi
} > "$scratch/k2_window_startup_probe.Ini"
mkdir -m 700 "$scratch/runtime"
export XDG_RUNTIME_DIR=$scratch/runtime
# -displayfd: the server takes a free display and names it, where a
# number of our own choosing could be one another run is using.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$scratch/display" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$scratch/display" ] && break; sleep 0.05; done
[ -s "$scratch/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
display=:$(head -1 "$scratch/display")
if command -v openbox >/dev/null; then
    DISPLAY=$display openbox >/dev/null 2>&1 &
    wm_pid=$!
    sleep 1
fi
for _ in $(seq "$runs"); do
    for probe in k2_window_startup_probe k2_bare_window_probe; do
        K2_T0_NS=$(date +%s%N) DISPLAY=$display "$scratch/$probe" | sed "s/^/$probe /"
    done
done > "$scratch/runs"

# median <probe> <key>
median() {
    grep "^$1 $2" "$scratch/runs" | awk '{print $3}' | sort -n |
        awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'
}
program=$(median k2_window_startup_probe first_paint_ms)
bare=$(median k2_bare_window_probe first_paint_ms)
printf 'program: median of %d first paints %s ms, CPU %s ms\n' "$runs" "$program" \
    "$(median k2_window_startup_probe cpu_ms)"
printf 'bare Qt window: median %s ms, CPU %s ms\n' "$bare" "$(median k2_bare_window_probe cpu_ms)"
awk -v p="$program" -v b="$bare" 'BEGIN {printf "ratio %.2f (target <= 1.6)\n", p / b}'
grep '^k2_window_startup_probe VmRSS' "$scratch/runs" | tail -1 | sed 's/^k2_window_startup_probe //'
