#!/usr/bin/env bash
# Start-up of the window to its first paint: runs the probe
# (k2_window_startup_probe, the program's own start-up ended at the first
# paint of the frame) RUNS times on an X display of its own (Xvfb, with
# openbox as window manager when installed) and prints each wall time, the
# median wall and CPU times, and VmRSS at the first paint.
# usage: bench/window_startup.sh [path/to/bin-folder [RUNS]]
set -euo pipefail
bin=$(cd "${1:-build/bin}" && pwd)
runs=${2:-10}
probe=$bin/k2_window_startup_probe
[ -x "$probe" ] || { echo "no $probe" >&2; exit 2; }
scratch=$(mktemp -d)
xvfb_pid=""; wm_pid=""
cleanup() {
    [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT
cp "$probe" "$bin"/*.Def "$scratch/"
display=:$((200 + RANDOM % 500))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
sleep 1
if command -v openbox >/dev/null; then
    DISPLAY=$display openbox >/dev/null 2>&1 &
    wm_pid=$!
    sleep 1
fi
for _ in $(seq "$runs"); do
    K2_T0_NS=$(date +%s%N) DISPLAY=$display "$scratch/k2_window_startup_probe"
done | tee "$scratch/runs" | awk '/first_paint_ms/ {printf "%s ms\n", $2}'
grep first_paint_ms "$scratch/runs" | awk '{print $2}' | sort -n |
    awk '{v[NR]=$1} END {printf "median of %d: %s ms\n", NR, v[int((NR+1)/2)]}'
grep cpu_ms "$scratch/runs" | awk '{print $2}' | sort -n |
    awk '{v[NR]=$1} END {printf "CPU time, median of %d: %s ms\n", NR, v[int((NR+1)/2)]}'
grep VmRSS "$scratch/runs" | tail -1
