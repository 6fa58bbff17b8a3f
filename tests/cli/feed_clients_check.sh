#!/bin/sh
# The feed read by real clients: python3-icalendar parses the file (its
# calendar properties, every UID once, UIDs equal in two runs a day apart
# across a month's end), khal reads the vdir as its calendar, and a run
# that changes nothing leaves the file and its time alone.
# Usage: feed_clients_check.sh CLI DATA_FOLDER PYTHON
set -eu
cli=$1
data=$2
python=$3
scratch=$(mktemp -d "${TMPDIR:-/tmp}/k2-feed-XXXXXX")
trap 'rm -rf "$scratch"' EXIT
export HOME="$scratch" XDG_CONFIG_HOME="$scratch" XDG_DATA_HOME="$scratch" LANG=C.UTF-8 LC_ALL=C.UTF-8
feed() { "$cli" --data "$data" --today "$@"; }

feed 2024-06-30 feed "$scratch/a.ics"
feed 2024-07-01 feed "$scratch/b.ics"
"$python" - "$scratch/a.ics" "$scratch/b.ics" <<'PY'
import sys, icalendar
def events(path):
    cal = icalendar.Calendar.from_ical(open(path, "rb").read())
    assert (str(cal["NAME"]), str(cal["X-WR-CALNAME"]), str(cal["X-PUBLISHED-TTL"])) == ("Kalendo2", "Kalendo2", "P1D")
    assert cal["REFRESH-INTERVAL"].to_ical() == b"P1D" and cal["REFRESH-INTERVAL"].params["VALUE"] == "DURATION"
    out = {}
    for e in cal.walk("VEVENT"):
        start = e["DTSTART"].dt  # a date, or an eclipse's time in JST
        day = start.date() if hasattr(start, "hour") else start
        assert str(e["UID"]) not in out and e["DTSTAMP"].dt.date() == day, e["UID"]
        out[str(e["UID"])] = (e["DTSTART"].dt.isoformat(), str(e["SUMMARY"]))
    return out
a, b = events(sys.argv[1]), events(sys.argv[2])  # a day apart, across the month's end
shared = [u for u in a if a[u][0] >= "2024-06-01"]
assert len(shared) > 1500 and all(b.get(u) == a[u] for u in shared), "UIDs changed"
assert all(u in a for u in b if b[u][0] < "2026-06-01"), "new UIDs for old days"
PY

# Unchanged: the same bytes, and the file is not touched.
touch -d 2000-01-01 "$scratch/b.ics"
feed 2024-07-02 feed "$scratch/b.ics"
[ "$(stat -c %Y "$scratch/b.ics")" = "$(date -d 2000-01-01 +%s)" ] || { echo "an unchanged feed was rewritten" >&2; exit 1; }

# khal with the vdir as its calendar, before and after May leaves the window.
printf '[calendars]\n[[k]]\npath = %s\ntype = calendar\n[locale]\nlocal_timezone = Asia/Tokyo
default_timezone = Asia/Tokyo\ndateformat = %%Y-%%m-%%d\nlongdateformat = %%Y-%%m-%%d\n[sqlite]\npath = %s\n' \
    "$scratch/calendar" "$scratch/khal.db" >"$scratch/config"
on() { khal -c "$scratch/config" list "$1" "$1"; }
feed 2024-06-15 feed --vdir "$scratch/calendar" --include holidays,rokuyo
on 2024-05-03 | grep -q '憲法記念日' && on 2024-05-03 | grep -q '先負' || { echo "khal: no 憲法記念日 先負" >&2; exit 1; }
feed 2024-07-01 feed --vdir "$scratch/calendar" --include holidays,rokuyo
! on 2024-05-03 | grep -q '憲法記念日' && on 2024-07-15 | grep -q '海の日' || { echo "khal: May stays" >&2; exit 1; }
echo ok
