#!/usr/bin/python3
"""kalendo2-cli ics read by an independent parser (python3-icalendar),
every event compared with the CLI's JSON of the same days, and the
descriptions of the escaping fixtures.

Usage: ics_icalendar_check.py CLI DATA_FOLDER FIXTURE_FOLDER
"""
import json
import os
import shutil
import subprocess
import sys
import tempfile

import icalendar

CLI, DATA, FIXTURES = sys.argv[1:4]
EVERYTHING = "holidays,notes,users,schedules,rokuyo,lunar,moon"
ROKUYO = ["先勝", "友引", "先負", "仏滅", "大安", "赤口"]
PHASES = {0: "新月", 90: "上弦", 180: "満月", 270: "下弦"}


def run(folder, *args):
    env = dict(os.environ, SOURCE_DATE_EPOCH="1700000000")
    out = subprocess.run([CLI, "--data", folder, "--today", "2024-06-15", *args],
                         env=env, check=True, stdout=subprocess.PIPE).stdout
    return out


def events(ics_bytes):
    cal = icalendar.Calendar.from_ical(ics_bytes)
    assert str(cal["VERSION"]) == "2.0"
    got = []
    for ev in cal.walk("VEVENT"):
        start = ev.decoded("DTSTART")
        end = ev.decoded("DTEND")
        assert (end - start).days == 1, ev["UID"]
        cats = ev["CATEGORIES"]
        category = str(cats.cats[0]) if hasattr(cats, "cats") else str(cats)
        got.append((start.isoformat(), category, str(ev["SUMMARY"]),
                    str(ev.get("DESCRIPTION", "")), str(ev["UID"])))
    return got


def expected(day_lines):
    want = []
    for line in day_lines.decode().splitlines():
        day = json.loads(line)
        date = day["date"]
        if day["holiday"] is not None:
            want.append((date, "祝日", day["holiday"]["name"]))
        elif day["generatedHoliday"] is not None:
            want.append((date, "休日", day["generatedHoliday"]["name"]))
        for key, category in (("notes", "暦日"), ("userEntries", "行事"), ("schedules", "予定")):
            want.extend((date, category, e["name"]) for e in day[key])
        if day["rokuyo"] >= 0:
            want.append((date, "六曜", ROKUYO[day["rokuyo"]]))
        month = day["lunarMonth"]
        leap = "閏" if month < 0 else ""
        want.append((date, "旧暦", "旧暦 %s%d月%d日" % (leap, abs(month), day["lunarDay"])))
        if day["moonPhase"] in PHASES:
            want.append((date, "月相", PHASES[day["moonPhase"]]))
    return want


def check_against_json():
    for first, last in (("2024-01-01", "2024-12-31"), ("2033-11-01", "2034-02-28")):
        got = events(run(DATA, "ics", first, last, "--include", EVERYTHING))
        want = expected(run(DATA, "day", first, last))
        assert [g[:3] for g in got] == want, (first, len(got), len(want))
        uids = [g[4] for g in got]
        assert len(set(uids)) == len(uids), "UIDs are unique"


def check_fixtures():
    folder = tempfile.mkdtemp(prefix="k2-ics-py-")
    try:
        for name in ("元号.Def", "祝日.Def", "Schedule.Def"):
            shutil.copy(os.path.join(DATA, name), folder)
        for name in ("暦日.Def", "Usr.Def"):
            with open(os.path.join(FIXTURES, name), encoding="utf-8") as src:
                text = src.read()
            with open(os.path.join(folder, name), "wb") as dst:
                dst.write(text.encode("cp932"))
        got = {g[2]: g for g in events(run(folder, "ics", "2024-01-01", "2024-12-31"))}
        assert got["鏡開き,蔵開き"][0] == "2024-01-11"
        assert got["鏡開き,蔵開き"][3] == "鏡餅を割る;包丁は使わない\nお汁粉,雑煮\nC:\\年神様"
        assert got["誕生日,記念日"][3] == "花束;ケーキ\n予約は一週間前"
        assert got["誕生日,記念日"][1] == "行事"
    finally:
        shutil.rmtree(folder)


check_against_json()
check_fixtures()
print("ok")
