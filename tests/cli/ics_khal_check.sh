#!/bin/sh
# A real calendar client: the year 2024 with holidays and rokuyo imported
# into khal with a scratch configuration, then 3 May 2024 listed.
# Usage: ics_khal_check.sh CLI DATA_FOLDER
set -eu
cli=$1
data=$2
scratch=$(mktemp -d "${TMPDIR:-/tmp}/k2-ics-khal-XXXXXX")
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/calendar"
cat >"$scratch/config" <<CONFIG
[calendars]
[[kalendo2]]
path = $scratch/calendar
type = calendar

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
# khal must find nothing of the user's own.
export HOME="$scratch" XDG_CONFIG_HOME="$scratch" XDG_DATA_HOME="$scratch" LANG=C.UTF-8 LC_ALL=C.UTF-8

SOURCE_DATE_EPOCH=1700000000 "$cli" --data "$data" --today 2024-06-15 \
    ics 2024-01-01 2024-12-31 --include holidays,rokuyo >"$scratch/y.ics"
khal -c "$scratch/config" import --batch -a kalendo2 "$scratch/y.ics"

# One file per event: 366 rokuyo and the year's holidays.
events=$(ls "$scratch/calendar" | wc -l)
if [ "$events" -lt 382 ]; then
    echo "khal holds $events events, expected 366 rokuyo and at least 16 holidays" >&2
    exit 1
fi

khal -c "$scratch/config" list 2024-05-03 2024-05-03 >"$scratch/list"
cat "$scratch/list"
grep -q '憲法記念日' "$scratch/list" || { echo "no 憲法記念日 on 2024-05-03" >&2; exit 1; }
# The rokuyo of 3 May 2024 is 先負, as the CLI's JSON says.
rokuyo=$("$cli" --data "$data" --today 2024-06-15 day 2024-05-03 | sed 's/.*"rokuyo":\([0-9-]*\).*/\1/')
names="先勝 友引 先負 仏滅 大安 赤口"
name=$(echo "$names" | cut -d' ' -f$((rokuyo + 1)))
grep -q "$name" "$scratch/list" || { echo "no rokuyo $name on 2024-05-03" >&2; exit 1; }
# Importing the same export again updates every event instead of adding one.
khal -c "$scratch/config" import --batch -a kalendo2 "$scratch/y.ics"
again=$(ls "$scratch/calendar" | wc -l)
[ "$again" -eq "$events" ] || { echo "a second import made $again events of $events" >&2; exit 1; }
echo ok
