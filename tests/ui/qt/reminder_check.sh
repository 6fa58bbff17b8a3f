#!/bin/bash
# 「毎日のお知らせ」 on a private session bus (dbus-run-session): the window
# (offscreen) starts before the notification service (notification_server.py)
# and prints nothing, announces when the service arrives, with the schedules'
# words, survives a click, and a second start on the same day announces
# nothing. Exits 77 (skipped) without the pieces. Usage: reminder_check.sh BIN_DIR
set -u
here=$(cd "$(dirname "$0")" && pwd)
bin=$(cd "$1" && pwd)
fail() { echo "FAILED: $*" >&2; exit 1; }
if [ "${K2_WORK:-}" = "" ]; then
    command -v dbus-run-session >/dev/null && /usr/bin/python3 -c 'import dbus, gi' 2>/dev/null ||
        { echo "skipped: dbus-run-session, python3-dbus or python3-gi missing"; exit 77; }
    work=$(mktemp -d "${TMPDIR:-/tmp}/k2-remind-XXXXXX")
    trap 'rm -rf "$work"' EXIT
    K2_WORK="$work" timeout 120 dbus-run-session -- "$0" "$@" 2> >(grep -v 'fd limit' >&2)
    exit $?
fi
work=$K2_WORK
export HOME="$work" XDG_CONFIG_HOME="$work" XDG_DATA_HOME="$work" XDG_RUNTIME_DIR="$work/run" QT_QPA_PLATFORM=offscreen
mkdir -m 700 "$work/run"
cp "$bin/Kalendo2" "$bin"/*.Def "$work/"
# UTF-8: tomorrow (notice the day before), in 3 days (a week's), in 30 days (not yet).
printf '\xef\xbb\xbf;\n歯医者 %s\t0\n会議 %s\t1\n旅行 %s\t1\n' "$(date -d tomorrow +%Y/%m/%d)" \
    "$(date -d '3 days' +%Y/%m/%d)" "$(date -d '30 days' +%Y/%m/%d)" >"$work/Schedule.Def"
record=$work/notices
app="" server=""
trap 'kill $app $server 2>/dev/null; wait' EXIT
notices() { cat "$record" 2>/dev/null | wc -l; }
# Up to 60 s for a condition: the machine may be busy.
await() { for _ in $(seq 600); do "$@" && return 0; sleep 0.1; done; return 1; }
start_window() {  # until the window says it is up
    rm -f "$work/ready" "$work/up"
    /usr/bin/python3 "$here/../../await_ready.py" "$work/ready" 60 >"$work/up" &
    await grep -qx listening "$work/up"
    (cd "$work" && NOTIFY_SOCKET="$work/ready" exec ./Kalendo2) 2>>"$work/stderr" & app=$!
    await ended_or grep -qx ready "$work/up"; kill -0 $app || fail "the window ended"
}
ended_or() { ! [ -e /proc/$app ] || "$@"; }
raised() { grep -c 'raise()' "$work/stderr"; }
raised_again() { [ "$(raised)" -gt "$before" ]; }
stop_window() { kill $app; wait $app; app=""; }

start_window
[ "$(notices)" = 0 ] || fail "notices without a service"
/usr/bin/python3 "$here/notification_server.py" "$record" & server=$!
await test -s "$record"
# A second notice of the day would be counted at the end.
[ "$(notices)" = 1 ] || fail "$(notices) notices after the service arrived, not one"
/usr/bin/python3 -c '
import json, sys
n = json.loads(open(sys.argv[1], encoding="utf-8").readline())
lines = n["body"].split("\n")
assert n["app"] == "Kalendo2" and n["summary"].endswith("の暦") and n["actions"][0] == "default", n
assert "明日: 歯医者" in lines and "3日後: 会議" in lines and not any("旅行" in l for l in lines), lines
' "$record" || fail "the notice's words"
# A click: the window shows the day and raises itself, which Qt's
# offscreen platform says it cannot do.
before=$(raised)
kill -USR1 $server
await ended_or raised_again || fail "the click was not answered"
kill -0 $app || fail "the window ended at the click"
stop_window
grep -qx "$(date +%Y-%m-%d)" "$work/Kalendo2.Ini" || fail "the day announced is not in the settings file"
start_window
stop_window
# The window decides at start whether to announce and asks the service
# first; a round trip through the service has it record what came before.
dbus-send --session --print-reply --dest=org.freedesktop.Notifications /org/freedesktop/Notifications \
    org.freedesktop.DBus.Peer.Ping >/dev/null || fail "the service does not answer"
[ "$(wc -l <"$record.asked")" = 1 ] || fail "a second start on the same day meant to announce again"
[ "$(notices)" = 1 ] || fail "$(notices) notices: a second start or the first one again"
# Only Qt's offscreen platform saying it cannot raise a window (sanitizers' reports aside).
[ -n "${LSAN_OPTIONS:-}" ] || ! grep -v '^This plugin does not support raise()$' "$work/stderr" || fail "the window printed"
echo "one notice a day, with the schedules' words"
