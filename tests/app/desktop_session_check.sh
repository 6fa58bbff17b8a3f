#!/bin/bash
# The window in real sessions, each part when its tools are there (77:
# none is). Wayland (headless weston): it starts and keeps the stored
# position, or exits 1 with one line, never aborts; with no compositor it
# exits 1 with one line. X11 (Xvfb) under a bare "C" environment: xprop
# reads the title from WM_NAME, and WM_CLASS is the entry's StartupWMClass.
# Usage: desktop_session_check.sh BIN_FOLDER SOURCE_FOLDER
set -u
bin=$1 source=$2 ran=0 failed=0 pids=()
scratch=$(mktemp -d "${TMPDIR:-/tmp}/k2-session-XXXXXX")
trap 'kill "${pids[@]}" 2>/dev/null; wait 2>/dev/null; rm -rf "$scratch"' EXIT
fail() { echo "desktop_session_check: $*" >&2; failed=1; }
# Up to 30 s for a condition: the machine may be busy.
await() { for _ in $(seq 300); do "$@" && return 0; sleep 0.1; done; return 1; }
copy() {  # a portable copy of its own, at a stored position
    mkdir -p "$scratch/$1" && cp "$bin/Kalendo2" "$bin"/*.Def "$scratch/$1/"
    printf ';;;;;;;;;;;;; Kalendo2.Ini For Ver. 1.18 ;;;;;;;;;;;;;\r\n\r\n[Position]\r\n100 : 120\r\n' \
        >"$scratch/$1/Kalendo2.Ini"
    folder=$scratch/$1
}
refused() {  # status $2 must be 1 with one line in file $3
    [ "$2" -eq 1 ] && [ "$(wc -l <"$3")" -eq 1 ] || fail "$1: status $2: $(cat "$3")"
}

if command -v weston >/dev/null; then
    ran=1 runtime=$scratch/runtime
    mkdir -m 700 "$runtime"
    XDG_RUNTIME_DIR=$runtime weston --backend=headless-backend.so --socket=k2-test-wl \
        --idle-time=0 >"$scratch/weston.log" 2>&1 &
    pids+=($!)
    await test -S "$runtime/k2-test-wl" || fail "weston did not start"
    copy wayland
    # Shared-memory buffers, as a headless compositor offers: Qt's EGL
    # integration loads Mesa's driver, whose allocation at exit the leak
    # checker of the sanitized build reports once the driver is unloaded,
    # with no name to suppress it by.
    wayland() { exec env -u DISPLAY -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$runtime" \
        WAYLAND_DISPLAY=$1 QT_WAYLAND_CLIENT_BUFFER_INTEGRATION=none NOTIFY_SOCKET="$scratch/ready" \
        "$folder/Kalendo2" </dev/null >/dev/null 2>"$folder/err"; }
    # The window says when it is up and a signal ends it as closing does.
    /usr/bin/python3 "$source/tests/await_ready.py" "$scratch/ready" 60 >"$scratch/up" &
    pids+=($!)
    await grep -qx listening "$scratch/up" || fail "no socket for the window's readiness"
    wayland k2-test-wl &
    window=$!
    pids+=($window)
    up_or_ended() { grep -qx ready "$scratch/up" || ! [ -e /proc/$window ]; }
    await up_or_ended || fail "Wayland: the window neither came up nor ended"
    kill -TERM "$window" 2>/dev/null
    wait "$window"
    status=$?
    if [ "$status" -eq 0 ]; then
        grep -q '^100 : 120' "$folder/Kalendo2.Ini" || fail "Wayland: $(grep -A1 Pos "$folder/Kalendo2.Ini")"
    else
        refused Wayland "$status" "$folder/err"
    fi
    (wayland k2-no-compositor)
    refused "no compositor" $? "$folder/err"
fi

if command -v Xvfb >/dev/null && command -v xprop >/dev/null && command -v xwininfo >/dev/null; then
    ran=1
    Xvfb -displayfd 3 -screen 0 1280x900x24 3>"$scratch/display" >/dev/null 2>&1 &
    pids+=($!)
    await test -s "$scratch/display" || fail "Xvfb did not start"
    export DISPLAY=:$(head -1 "$scratch/display")
    copy x11
    env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u LANG -u LC_ALL -u LC_CTYPE "$folder/Kalendo2" \
        </dev/null >/dev/null 2>"$folder/err" &
    pids+=($!)
    found() { id=$(xwininfo -root -tree | awk '/"Kalendo.*\("Kalendo2" "Kalendo2"\)/ {print $1; exit}'); [ -n "$id" ]; }
    # The window maps under the program's name; its title follows once the
    # first month is shown.
    titled() {
        title=$(LC_ALL=C.UTF-8 xprop -id "$id" WM_NAME)
        [[ $title == *'= "KalendoⅡ [ '*' ]"' ]]
    }
    if await found; then
        await titled || fail "X11: $title"
        class=$(sed -n 's/^StartupWMClass=//p' "$source/app/kalendo2.desktop")
        [ "$(xprop -id "$id" WM_CLASS)" = "WM_CLASS(STRING) = \"Kalendo2\", \"$class\"" ] ||
            fail "X11: $(xprop -id "$id" WM_CLASS), StartupWMClass '$class'"
    else
        # What the window said, if it ended: a sanitizer's report or its one line.
        fail "X11: no window appeared; the window said: $(head -c 4000 "$folder/err")"
    fi
fi
[ "$ran" -eq 1 ] || exit 77
exit "$failed"
