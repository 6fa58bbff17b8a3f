#!/bin/bash
# The window in real display sessions, each part run when its tools are
# there (exit 77, skipped, when none is):
#  - Wayland: a headless weston; the window either starts (and then keeps
#    the stored position, which a Wayland client cannot know) or exits 1
#    with one line, never aborts; with no compositor behind WAYLAND_DISPLAY
#    it exits 1 with one line.
#  - X11: Xvfb; under the "C" locale of a bare session, xprop reads the
#    title from WM_NAME as it is, and WM_CLASS is the desktop entry's
#    StartupWMClass.
# Usage: desktop_session_check.sh BIN_FOLDER SOURCE_FOLDER
set -u
bin=$1
source=$2
scratch=$(mktemp -d "${TMPDIR:-/tmp}/k2-session-XXXXXX")
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
    wait 2>/dev/null
    rm -rf "$scratch"
}
trap cleanup EXIT
ran=0
failed=0
fail() {
    echo "desktop_session_check: $*" >&2
    failed=1
}

# A portable copy of its own for each run (its data folder is its own).
copy() {
    local folder=$scratch/$1
    mkdir -p "$folder"
    cp "$bin/Kalendo2" "$bin"/*.Def "$folder/"
    printf ';;;;;;;;;;;;; Kalendo2.Ini For Ver. 1.18 ;;;;;;;;;;;;;\r\n\r\n[Position]\r\n100 : 120\r\n' \
        >"$folder/Kalendo2.Ini"
    echo "$folder"
}

# Waits up to 30 s for a condition (a command): the machine may be busy.
await() {
    local i
    for i in $(seq 300); do
        if "$@"; then return 0; fi
        sleep 0.1
    done
    return 1
}

# A refused start: status 1 and exactly one line on stderr.
expect_refused() {
    local what=$1 status=$2 err=$3
    if [ "$status" -ne 1 ] || [ "$(wc -l <"$err")" -ne 1 ]; then
        fail "$what: status $status (1 and one line expected): $(cat "$err")"
    fi
}

if command -v weston >/dev/null 2>&1; then
    ran=1
    runtime=$scratch/runtime
    mkdir -m 700 "$runtime"
    socket=k2-test-wl
    XDG_RUNTIME_DIR=$runtime weston --backend=headless-backend.so --socket=$socket \
        --idle-time=0 >"$scratch/weston.log" 2>&1 &
    pids+=($!)
    if ! await test -S "$runtime/$socket"; then
        fail "weston did not start: $(tail -3 "$scratch/weston.log")"
    else
        folder=$(copy wayland)
        env -u DISPLAY -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY=$socket \
            "$folder/Kalendo2" </dev/null >/dev/null 2>"$folder/err" &
        window=$!
        pids+=($window)
        # The data folder's lock is taken before the window is built; the
        # termination signals are caught once it is shown, well within 3 s.
        await test -e "$folder/Kalendo2.lock" -o ! -e /proc/$window
        sleep 3
        if kill -0 "$window" 2>/dev/null; then
            kill -TERM "$window"
            wait "$window"
            status=$?
            [ "$status" -eq 0 ] || fail "Wayland: ended by SIGTERM with status $status"
            grep -q '^100 : 120' "$folder/Kalendo2.Ini" ||
                fail "Wayland: the stored position was replaced: $(grep -A1 Position "$folder/Kalendo2.Ini")"
        else
            wait "$window"
            expect_refused "Wayland" $? "$folder/err"
        fi
        env -u DISPLAY -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY=k2-no-compositor \
            timeout 20 "$folder/Kalendo2" </dev/null >/dev/null 2>"$folder/err2"
        expect_refused "no compositor" $? "$folder/err2"
    fi
fi

if command -v Xvfb >/dev/null 2>&1 && command -v xprop >/dev/null 2>&1 &&
    command -v xwininfo >/dev/null 2>&1; then
    ran=1
    # Xvfb chooses a free display and writes its number.
    Xvfb -displayfd 3 -screen 0 1280x900x24 3>"$scratch/display" >/dev/null 2>&1 &
    pids+=($!)
    if ! await test -s "$scratch/display"; then
        fail "Xvfb did not start"
    else
        display=:$(head -1 "$scratch/display")
        folder=$(copy x11)
        env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u LANG -u LC_ALL -u LC_CTYPE DISPLAY="$display" \
            "$folder/Kalendo2" </dev/null >/dev/null 2>&1 &
        pids+=($!)
        window_id() {
            id=$(DISPLAY=$display xwininfo -root -tree | grep '("Kalendo2" "Kalendo2")' |
                grep Kalendo | awk '{print $1}' | head -1)
            [ -n "$id" ]
        }
        if ! await window_id; then
            fail "X11: no window appeared"
        else
            title=$(DISPLAY=$display LC_ALL=C.UTF-8 xprop -id "$id" WM_NAME)
            case $title in
                *'= "KalendoⅡ [ '*' ]"') ;;
                *) fail "X11: WM_NAME reads $title" ;;
            esac
            class=$(sed -n 's/^StartupWMClass=//p' "$source/app/kalendo2.desktop")
            wm_class=$(DISPLAY=$display xprop -id "$id" WM_CLASS)
            [ -n "$class" ] && [ "$wm_class" = "WM_CLASS(STRING) = \"Kalendo2\", \"$class\"" ] ||
                fail "X11: $wm_class, StartupWMClass '$class'"
        fi
    fi
fi

[ "$ran" -eq 1 ] || exit 77
exit "$failed"
