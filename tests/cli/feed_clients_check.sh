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
import sys
import icalendar

def events(path):
    cal = icalendar.Calendar.from_ical(open(path, "rb").read())
    assert str(cal["NAME"]) == "Kalendo2" and str(cal["X-WR-CALNAME"]) == "Kalendo2"
    assert cal["REFRESH-INTERVAL"].params["VALUE"] == "DURATION"
    assert cal["REFRESH-INTERVAL"].to_ical() == b"P1D", cal["REFRESH-INTERVAL"]
    assert str(cal["X-PUBLISHED-TTL"]) == "P1D"
    out = {}
    for e in cal.walk("VEVENT"):
        uid = str(e["UID"])
        assert uid not in out, ("UID twice", uid)
        start = e["DTSTART"].dt
        # Nothing of the time of the run: DTSTAMP is the event's own day.
        assert e["DTSTAMP"].dt.date() == start, (uid, e["DTSTAMP"].dt)
        out[uid] = (start, str(e["SUMMARY"]), str(e["CATEGORIES"].to_ical(), "utf-8"))
    return out

a, b = events(sys.argv[1]), events(sys.argv[2])
kinds = {c for _, _, c in a.values()}
assert {"祝日", "六曜", "旧暦", "月相"} <= kinds, kinds
shared = [u for u in a if a[u][0].isoformat() >= "2024-06-01"]
assert len(shared) > 1500, len(shared)
for u in shared:
    assert b.get(u) == a[u], ("a day later", u, a[u], b.get(u))
assert not [u for u in b if u not in a and b[u][0].isoformat() < "2026-06-01"], "new UIDs for old days"
print(len(a), "events,", len(shared), "the same a day later")
PY

# Unchanged: the same bytes, and the file is not touched.
touch -d 2000-01-01 "$scratch/b.ics"
feed 2024-07-02 feed "$scratch/b.ics"
[ "$(stat -c %Y "$scratch/b.ics")" = "$(date -d 2000-01-01 +%s)" ] || { echo "an unchanged feed was rewritten" >&2; exit 1; }

# khal with the vdir as its calendar.
feed 2024-06-15 feed --vdir "$scratch/calendar" --include holidays,rokuyo
cat >"$scratch/config" <<CONFIG
[calendars]
[[kalendo2]]
path = $scratch/calendar
type = calendar
readonly = True

[locale]
timeformat = %H:%M
dateformat = %Y-%m-%d
longdateformat = %Y-%m-%d
datetimeformat = %Y-%m-%d %H:%M
longdatetimeformat = %Y-%m-%d %H:%M
local_timezone = Asia/Tokyo
default_timezone = Asia/Tokyo

[sqlite]
path = $scratch/khal.db
CONFIG
khal -c "$scratch/config" list 2024-05-03 2024-05-03 >"$scratch/list"
cat "$scratch/list"
grep -q '憲法記念日' "$scratch/list" || { echo "khal shows no 憲法記念日 on 2024-05-03" >&2; exit 1; }
grep -q '先負' "$scratch/list" || { echo "khal shows no 先負 on 2024-05-03" >&2; exit 1; }
# A month later May has left the window, and khal follows.
feed 2024-07-01 feed --vdir "$scratch/calendar" --include holidays,rokuyo
khal -c "$scratch/config" list 2024-05-03 2024-05-03 >"$scratch/list"
if grep -q '憲法記念日' "$scratch/list"; then echo "khal still shows May" >&2; exit 1; fi
khal -c "$scratch/config" list 2024-07-15 2024-07-15 | grep -q '海の日' || { echo "khal shows no 海の日" >&2; exit 1; }
echo ok
