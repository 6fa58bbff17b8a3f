#!/bin/bash
# 「毎日のお知らせ」 on a real session bus: a private D-Bus session
# (dbus-run-session), the window on Qt's offscreen platform with a schedule
# for tomorrow and one in three days, and the notification service of
# notification_server.py recording every Notify call. The window starts
# before the service (no service: nothing fails, nothing is printed) and
# announces when the service arrives; a second start on the same day
# announces nothing more; a click on the notification leaves the window
# running. Exits 77 (skipped) without the pieces.
# Usage: reminder_check.sh BIN_DIR
set -u
here=$(cd "$(dirname "$0")" && pwd)
bin=$(cd "$1" && pwd)
skip() { echo "skipped: $*"; exit 77; }
fail() { echo "FAILED: $*" >&2; exit 1; }

if [ "${K2_REMINDER_SESSION:-}" != 1 ]; then
    command -v dbus-run-session >/dev/null || skip "dbus-run-session is not installed"
    /usr/bin/python3 -c 'import dbus, gi' 2>/dev/null || skip "python3-dbus or python3-gi is not installed"
    work=$(mktemp -d "${TMPDIR:-/tmp}/k2-remind-XXXXXX")
    trap 'rm -rf "$work"' EXIT
    K2_REMINDER_SESSION=1 K2_WORK="$work" timeout 120 dbus-run-session -- "$0" "$@"
    exit $?
fi

# Inside the session.
work=$K2_WORK
export HOME="$work" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/run"
export QT_QPA_PLATFORM=offscreen
mkdir -m 700 "$work/run"
cp "$bin/Kalendo2" "$work/"
find "$bin" -maxdepth 1 -name '*.Def' -exec cp {} "$work/" \;
# A UTF-8 schedule file (read as such): tomorrow with the notice of the day
# before, three days ahead with a week's notice, thirty days ahead not yet.
{
    printf '\xef\xbb\xbf;schedules\n'
    printf '歯医者 %s\t0\n' "$(date -d tomorrow +%Y/%m/%d)"
    printf '会議 %s\t1\n' "$(date -d '3 days' +%Y/%m/%d)"
    printf '旅行 %s\t1\n' "$(date -d '30 days' +%Y/%m/%d)"
} >"$work/Schedule.Def"
record=$work/notify.jsonl
server=""
app=""
trap '[ -n "$app" ] && kill "$app" 2>/dev/null; [ -n "$server" ] && kill "$server" 2>/dev/null; wait' EXIT
notices() { [ -f "$record" ] && wc -l <"$record" || echo 0; }
announced() { [ "$(notices)" -ge 1 ]; }
start_window() { (cd "$work" && exec ./Kalendo2) 2>>"$work/stderr" & app=$!; }
stop_window() { kill "$app"; wait "$app"; app=""; }
wait_for() {  # until "$@" holds, at most 20 s
    for _ in $(seq 200); do "$@" && return 0; sleep 0.1; done
    return 1
}

# No service yet: the window starts and runs, and says nothing.
start_window
sleep 3
kill -0 "$app" 2>/dev/null || fail "the window ended without a notification service"
[ "$(notices)" = 0 ] || fail "notices without a service"

# The service arrives: the window announces today, once, with the words.
/usr/bin/python3 "$here/notification_server.py" "$record" &
server=$!
wait_for announced || fail "no notice after the service arrived"
sleep 1
[ "$(notices)" = 1 ] || fail "$(notices) notices, not one"
/usr/bin/python3 - "$record" <<'PY' || fail "the notice's words"
import json, sys
n = json.loads(open(sys.argv[1], encoding="utf-8").readline())
lines = n["body"].split("\n")
assert n["app"] == "Kalendo2" and n["summary"].endswith("の暦"), n
assert "明日: 歯医者" in lines and "3日後: 会議" in lines, lines
assert not any("旅行" in l for l in lines), lines
assert n["actions"][0] == "default", n["actions"]
PY
# A click on it: the window shows the day and keeps running.
kill -USR1 "$server"
sleep 1
kill -0 "$app" 2>/dev/null || fail "the window ended at the click"
stop_window
grep -qx "$(date +%Y-%m-%d)" "$work/Kalendo2.Ini" || fail "the day announced is not in the settings file"

# The same day again: a second start announces nothing.
start_window
sleep 4
kill -0 "$app" 2>/dev/null || fail "the second start ended"
stop_window
[ "$(notices)" = 1 ] || fail "a second start on the same day announced again"
# Qt's offscreen platform says that it cannot raise a window; nothing else
# (a sanitized build's own reports aside).
if [ -z "${LSAN_OPTIONS:-}" ]; then
    ! grep -v '^This plugin does not support raise()$' "$work/stderr" || fail "the window printed"
fi
echo "one notice a day, with the schedules' words"
