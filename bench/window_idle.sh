#!/usr/bin/env bash
# The idle window: starts Kalendo2 on an X display of its own (Xvfb) with a
# scratch copy of the program's folder, waits 12 s, reads VmRSS, then counts
# over 60 s the context switches (voluntary + involuntary, from
# /proc/PID/task/*/status: each wake-up of a sleeping thread is one) of its
# main thread, the one with the date timer, and of all its threads (summed
# over the threads alive at both ends), and the CPU time (nanoseconds on a
# CPU, the first field of /proc/PID/task/*/schedstat, summed). Where
# dbus-run-session and python3-dbus are there, it all runs on a private
# session bus with a notification service (tests/ui/qt/notification_server.py)
# and a schedule for tomorrow, so that the window has announced the day, as
# on a desktop, before the count begins.
# usage: bench/window_idle.sh [path/to/bin-folder [SECONDS [WAIT]]]
set -euo pipefail
bin=$(cd "${1:-build/bin}" && pwd)
seconds=${2:-60}
wait_s=${3:-12}
[ -x "$bin/Kalendo2" ] || { echo "no $bin/Kalendo2" >&2; exit 2; }
server_script=$(cd "$(dirname "$0")/.." && pwd)/tests/ui/qt/notification_server.py
if [ "${K2_IDLE_SESSION:-}" != 1 ] && command -v dbus-run-session >/dev/null &&
    /usr/bin/python3 -c 'import dbus, gi' 2>/dev/null; then
    K2_IDLE_SESSION=1 exec dbus-run-session -- "$0" "$bin" "$seconds" "$wait_s" 2> >(grep -v 'fd limit' >&2)
fi
scratch=$(mktemp -d)
xvfb_pid=""; k2_pid=""; server_pid=""
cleanup() {
    [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null || true
    [ -n "$k2_pid" ] && { kill "$k2_pid" 2>/dev/null; wait "$k2_pid" 2>/dev/null; } || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT
# The program's folder apart from the files this script writes: the window
# watches its folder, and a file written beside it would wake it.
app="$scratch/app"
mkdir "$app"
cp -r "$bin/Kalendo2" "$bin"/*.Def "$app/"
[ -d "$bin/Help" ] && cp -r "$bin/Help" "$app/"
if [ "${K2_IDLE_SESSION:-}" = 1 ]; then
    printf '\xef\xbb\xbf;\n歯医者 %s\t0\n' "$(date -d tomorrow +%Y/%m/%d)" >"$app/Schedule.Def"
    /usr/bin/python3 "$server_script" "$scratch/notices" &
    server_pid=$!
    sleep 1
fi
# -displayfd: the server takes a free display and names it, where a
# number of our own choosing could be one another run is using.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$scratch/display" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$scratch/display" ] && break; sleep 0.05; done
[ -s "$scratch/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
display=:$(head -1 "$scratch/display")
DISPLAY=$display "$app/Kalendo2" >/dev/null 2>&1 &
k2_pid=$!
sleep "$wait_s"
status() { awk -v k="$1" '$1 == k":" {print $2}' "/proc/$k2_pid/status"; }
switches() { echo $(( $(status voluntary_ctxt_switches) + $(status nonvoluntary_ctxt_switches) )); }
# "TID switches" per thread.
thread_switches() {
    for t in /proc/"$k2_pid"/task/*; do
        awk -v t="${t##*/}" '/ctxt_switches/ {n += $2} END {print t, n}' "$t/status" 2>/dev/null || true
    done
}
cpu_ns() { cat /proc/"$k2_pid"/task/*/schedstat | awk '{n += $1} END {print n}'; }
echo "VmRSS after $wait_s s: $(status VmRSS) kB"
[ -n "$server_pid" ] && echo "notices received: $(cat "$scratch/notices" 2>/dev/null | wc -l)"
s0=$(switches); c0=$(cpu_ns); thread_switches >"$scratch/t0"
sleep "$seconds"
s1=$(switches); c1=$(cpu_ns); thread_switches >"$scratch/t1"
all=$(awk 'NR == FNR {before[$1] = $2; next} $1 in before {n += $2 - before[$1]} END {print n + 0}' \
    "$scratch/t0" "$scratch/t1")
echo "context switches, all threads: $all in $seconds s"
awk -v s=$((s1 - s0)) -v c=$((c1 - c0)) -v t="$seconds" 'BEGIN {
    printf "context switches, main thread: %d in %d s = %.2f per second\n", s, t, s / t
    printf "CPU: %.2f ms in %d s = %.4f %% of a core\n", c / 1e6, t, 100 * c / 1e9 / t
}'
