#!/usr/bin/env bash
# The window's memory with a screen reader listening, against the same run
# without one. On an X display of its own (Xvfb, openbox when installed) and
# a private D-Bus session with the accessibility bus, Kalendo2 is started
# RUNS times in each of two ways, alternately, from a scratch copy of the
# program's folder:
#   quiet:     nobody on the accessibility bus;
#   listening: accessibility on (QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1) and a
#              pyatspi client registered for the events a screen reader
#              follows, which reads the names of the grid's 42 cells, then
#              after each of STEPS 翌月 keys (Page_Down) reads them again.
# Both runs get the same keys through xdotool. VmRSS, RssAnon and RssFile of
# /proc/PID/status are read when the window has said READY=1 (its first
# paint) and 1 s after the last step; the median, smallest and largest of
# each are printed.
# usage: bench/window_atspi_memory.sh [path/to/bin-folder [RUNS [STEPS]]]
set -euo pipefail
bin=$(cd "${1:-build/bin}" && pwd)
runs=${2:-5}
steps=${3:-6}
here=$(cd "$(dirname "$0")/.." && pwd)
[ -x "$bin/Kalendo2" ] || { echo "no $bin/Kalendo2" >&2; exit 2; }
for tool in Xvfb dbus-run-session xdotool /usr/libexec/at-spi-bus-launcher; do
    command -v "$tool" >/dev/null || { echo "$tool is not installed" >&2; exit 2; }
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "python3-pyatspi is not installed" >&2; exit 2; }
if [ "${K2_ATSPI_MEMORY_SESSION:-}" != 1 ]; then
    K2_ATSPI_MEMORY_SESSION=1 exec dbus-run-session -- "$0" "$bin" "$runs" "$steps" \
        2> >(grep -v 'fd limit' >&2)
fi

scratch=$(mktemp -d)
xvfb_pid=""; wm_pid=""; bus_pid=""; k2_pid=""
cleanup() {
    [ -n "$k2_pid" ] && { kill "$k2_pid" 2>/dev/null; wait "$k2_pid" 2>/dev/null; } || true
    for p in $wm_pid $bus_pid $xvfb_pid; do kill "$p" 2>/dev/null || true; done
    rm -rf "$scratch"
}
trap cleanup EXIT
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$scratch/display" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$scratch/display" ] && break; sleep 0.05; done
[ -s "$scratch/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=:$(head -1 "$scratch/display")
if command -v openbox >/dev/null; then
    openbox >/dev/null 2>&1 &
    wm_pid=$!
fi
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
bus_pid=$!
sleep 1

# The client: waits for the grid, then reads every cell's name, STEPS
# times after a 翌月 key each. Prints "named N" with the names it read.
cat >"$scratch/listen.py" <<'EOF'
import subprocess, sys, time
import pyatspi
from gi.repository import GLib

window, steps = sys.argv[1], int(sys.argv[2])
def on_event(event):
    pass
for kind in ("object:state-changed", "object:property-change", "object:children-changed",
             "object:text-changed", "object:active-descendant-changed", "focus:", "window:"):
    pyatspi.Registry.registerEventListener(on_event, kind)
def pump(seconds):
    end = time.monotonic() + seconds
    ctx = GLib.MainContext.default()
    while time.monotonic() < end:
        while ctx.iteration(False):
            pass
        time.sleep(0.02)
def grid():
    deadline = time.monotonic() + 60
    while time.monotonic() < deadline:
        for app in pyatspi.Registry.getDesktop(0):
            if app is None or app.name != "Kalendo2":
                continue
            stack = [app]
            while stack:
                n = stack.pop()
                if n.getRole() == pyatspi.ROLE_TABLE and n.childCount == 42:
                    return n
                stack.extend(c for c in n if c is not None)
        pump(0.2)
    sys.exit("no grid on the bus")
named = 0
table = grid()
for step in range(steps + 1):
    if step:
        subprocess.run(["xdotool", "windowactivate", "--sync", window, "key", "Page_Down"], check=True)
        pump(0.3)
    named += sum(1 for i in range(table.childCount) if table[i].name)
    pump(0.2)
print("named", named)
EOF

{
    printf ';;;;;;;;;;;;; Kalendo2.Ini For Ver. 1.18 ;;;;;;;;;;;;;\n\n[Position]\n457 : 336\n\n'
    printf '[Size]\n0\n\n[View]\n0\n\n'
} >"$scratch/settings"
rss() { awk '$1 ~ /^(VmRSS|RssAnon|RssFile):$/ {printf "%s %s ", $1, $2}' "/proc/$k2_pid/status"; }
one_run() {  # mode
    local app="$scratch/app" window
    rm -rf "$app"; mkdir "$app"
    cp "$bin/Kalendo2" "$bin"/*.Def "$app/"
    cp "$scratch/settings" "$app/Kalendo2.Ini"
    /usr/bin/python3 "$here/tests/await_ready.py" "$scratch/ready" 60 >"$scratch/up" &
    local waiter=$!
    for _ in $(seq 100); do grep -qx listening "$scratch/up" 2>/dev/null && break; sleep 0.05; done
    if [ "$1" = listening ]; then
        (cd "$app" && QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 NOTIFY_SOCKET="$scratch/ready" \
            exec ./Kalendo2 >/dev/null 2>&1) &
    else
        (cd "$app" && NOTIFY_SOCKET="$scratch/ready" exec ./Kalendo2 >/dev/null 2>&1) &
    fi
    k2_pid=$!
    wait "$waiter" || { echo "the window did not say it was up" >&2; exit 1; }
    rm -f "$scratch/ready"
    echo "$1 first $(rss)"
    window=$(xdotool search --sync --onlyvisible --pid "$k2_pid" | head -1)
    if [ "$1" = listening ]; then
        /usr/bin/python3 "$scratch/listen.py" "$window" "$steps" | sed "s/^/$1 /"
    else
        sleep 0.5
        for _ in $(seq "$steps"); do
            xdotool windowactivate --sync "$window" key Page_Down
            sleep 0.5
        done
    fi
    sleep 1
    echo "$1 after $(rss)"
    kill "$k2_pid"; wait "$k2_pid" 2>/dev/null || true; k2_pid=""
}
for _ in $(seq "$runs"); do
    for mode in quiet listening; do one_run "$mode"; done
done >"$scratch/runs"

# "median min max" of <mode> <when> <field>
spread() {
    awk -v m="$1" -v w="$2" -v f="$3:" '$1 == m && $2 == w {for (i = 3; i < NF; i += 2) if ($i == f) print $(i + 1)}' \
        "$scratch/runs" | sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)], v[1], v[NR]}'
}
grep '^listening named' "$scratch/runs" | head -1 | sed 's/^listening named/cell names read by the listener per run:/'
for when in first after; do
    for field in VmRSS RssAnon RssFile; do
        read -r q q0 q1 <<<"$(spread quiet "$when" "$field")"
        read -r l l0 l1 <<<"$(spread listening "$when" "$field")"
        printf '%-5s %-7s quiet %6d kB (%d-%d)  listening %6d kB (%d-%d)  difference %+d kB\n' \
            "$when" "$field" "$q" "$q0" "$q1" "$l" "$l0" "$l1" $((l - q))
    done
done
printf 'medians (smallest-largest) of %d runs each, %d steps of 翌月\n' "$runs" "$steps"
