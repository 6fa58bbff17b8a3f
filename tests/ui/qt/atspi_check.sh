#!/bin/bash
# The window read over the AT-SPI bus, as a screen reader reads it: a
# scratch X server, a D-Bus session with the accessibility bus, Kalendo2
# with accessibility on, and the tree checked by atspi_tree.py (pyatspi).
# The in-process tests that need a listening reader run there too. Exits
# 77 (skipped) when a piece of the desktop is not installed.
# Usage: atspi_check.sh BIN_DIR TEST_DATA_DIR
set -u
here=$(cd "$(dirname "$0")" && pwd)
bin=$(cd "$1" && pwd)
data=$(cd "$2" && pwd)
skip() { echo "skipped: $*"; exit 77; }

if [ "${K2_ATSPI_SESSION:-}" != 1 ]; then
    for tool in Xvfb dbus-run-session /usr/libexec/at-spi-bus-launcher /usr/bin/python3; do
        command -v "$tool" >/dev/null || skip "$tool is not installed"
    done
    /usr/bin/python3 -c 'import pyatspi' 2>/dev/null || skip "python3-pyatspi is not installed"
    command -v xdpyinfo >/dev/null || skip "xdpyinfo is not installed"
    work=$(mktemp -d)
    xvfb=
    trap 'kill "$xvfb" 2>/dev/null; wait; rm -rf "$work"' EXIT
    # A server that took a display another one was starting on may not be
    # reached at its number: it is started again until it answers.
    for _ in 1 2 3; do
        rm -f "$work/display"
        Xvfb -displayfd 3 -screen 0 1280x900x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
        xvfb=$!
        for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
        [ -s "$work/display" ] && xdpyinfo -display ":$(cat "$work/display")" >/dev/null 2>&1 && break
        kill "$xvfb" 2>/dev/null
        wait "$xvfb" 2>/dev/null
        rm -f "$work/display"
    done
    [ -s "$work/display" ] || skip "Xvfb did not start"
    K2_ATSPI_SESSION=1 K2_WORK="$work" DISPLAY=":$(cat "$work/display")" \
        timeout 300 dbus-run-session -- "$0" "$@"
    exit $?
fi

# Inside the session.
/usr/libexec/at-spi-bus-launcher --launch-immediately &
launcher=$!
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
cp "$bin/Kalendo2" "$K2_WORK/"
find "$bin" -maxdepth 1 -name '*.Def' -exec cp {} "$K2_WORK/" \;
(cd "$K2_WORK" && exec ./Kalendo2) &
app=$!
/usr/bin/python3 "$here/atspi_tree.py"
status=$?
kill "$app"
K2_GUI_TEST_PLATFORM=xcb K2_BIN_DIR="$bin" K2_TEST_DATA="$data" \
    "$bin/k2_ui_qt_tests" --gtest_filter='AccessibilityTest.*'
[ $? -eq 0 ] || status=1
kill "$launcher" 2>/dev/null
# The window ended at the signal long ago; one that did not is not waited for long.
for _ in $(seq 100); do [ -e /proc/$app ] || break; sleep 0.1; done
kill -9 "$app" 2>/dev/null
exit $status
