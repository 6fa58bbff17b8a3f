#!/usr/bin/python3
"""kalendo2-cli ics read by an independent parser (python3-icalendar),
every event compared with the CLI's JSON of the same days, every line
checked as RFC 5545 wants it, every DESCRIPTION compared with its source
text (the CLI's JSON where it holds the text, else the definition file
read here), and the descriptions of the escaping fixtures.

Usage: ics_icalendar_check.py CLI DATA_FOLDER FIXTURE_FOLDER
"""
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile

import icalendar

CLI, DATA, FIXTURES = sys.argv[1:4]
EVERYTHING = "holidays,notes,users,schedules,rokuyo,lunar,moon"
ROKUYO = ["先勝", "友引", "先負", "仏滅", "大安", "赤口"]
PHASES = {0: "新月", 90: "上弦", 180: "満月", 270: "下弦"}


def check_lines(ics_bytes):
    """Every line ends in CR LF (no CR or LF of its own), holds at most 75
    octets, and is whole UTF-8 once a fold's blank is taken off."""
    lines = ics_bytes.split(b"\r\n")
    assert lines[-1] == b"", "the calendar ends in CR LF"
    for line in lines[:-1]:
        assert b"\r" not in line and b"\n" not in line, ("a bare CR or LF", line)
        assert len(line) <= 75, ("over 75 octets", line)
        (line[1:] if line[:1] == b" " else line).decode("utf-8")  # raises on a cut character


def definition_entries(path, blocks):
    """The entries of a CP932 definition file as the almanac reads them:
    (entry line, description block), the block's lines cut to their first
    word and joined with CR LF."""
    data = open(path, "rb").read().removeprefix(b"\xef\xbb\xbf")
    # A line ends at an LF, or at a CR together with the byte after it.
    lines = iter(re.split(rb"\n|\r[\s\S]?", data))
    entries = []
    for raw in lines:
        entry = raw.split(b";")[0]
        if not entry.strip():
            continue
        if blocks and entry[:1] == b"{":
            text = []
            for line in lines:
                if line[:1] == b"}":
                    break
                text.append((line.split() or [line])[0])
            if entries:
                entries[-1][1] = b"\r\n".join(text)
            continue
        entries.append([entry, b""])
    return [(e.decode("cp932"), d.decode("cp932")) for e, d in entries]


def holiday_descriptions(folder):
    """The word after each holiday's date expression."""
    out = []
    for entry, _ in definition_entries(os.path.join(folder, "祝日.Def"), False):
        m = re.match(r"\s*\S+\s*\(\s*-?\d+\s*-\s*-?\d+\s*\)\s*/\s*\S+\s+(\S+)", entry)
        out.append(m.group(1) if m else "")
    return out


def line_breaks(text):
    """A text's CR LF (or lone CR) line breaks as one line break each."""
    return text.replace("\r\n", "\n").replace("\r", "\n")


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


def check_descriptions(folder, got, day_lines, first):
    """Each event's DESCRIPTION against its source: the schedules' texts and
    the rokuyo line of the CLI's JSON, the holidays', notes' and user
    events' texts from their files (the JSON names them only)."""
    days = {json.loads(l)["date"]: json.loads(l) for l in day_lines.decode().splitlines()}
    year = json.loads(run(folder, "year", first[:4]))
    schedules = {s["index"]: s["text"] for s in year["schedules"]}
    holidays = holiday_descriptions(folder)
    notes = [d for _, d in definition_entries(os.path.join(folder, "暦日.Def"), True)]
    users = [d for _, d in definition_entries(os.path.join(folder, "Usr.Def"), True)]
    sources = {"holiday": holidays, "note": notes, "user": users}
    for date, category, _, description, uid in got:
        kind, index = re.match(r"\d{8}-([a-z]+)-(-?\d+)-", uid).groups()
        index = int(index)
        if kind in sources:
            want = sources[kind][index]
        elif kind == "schedule":
            want = schedules[index]
        elif kind == "rokuyo":
            want = next(l for l in days[date]["detail"]["almanac"].split("\r\n") if l.startswith("六曜："))
        else:
            want = ""
        assert description == line_breaks(want), (uid, description, want)


def check_against_json():
    for first, last in (("2024-01-01", "2024-12-31"), ("2033-11-01", "2034-02-28")):
        ics = run(DATA, "ics", first, last, "--include", EVERYTHING)
        check_lines(ics)
        got = events(ics)
        day_lines = run(DATA, "day", first, last)
        want = expected(day_lines)
        assert [g[:3] for g in got] == want, (first, len(got), len(want))
        uids = [g[4] for g in got]
        assert len(set(uids)) == len(uids), "UIDs are unique"
        check_descriptions(DATA, got, day_lines, first)


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
        ics = run(folder, "ics", "2024-01-01", "2024-12-31", "--include", EVERYTHING)
        check_lines(ics)
        all_events = events(ics)
        check_descriptions(folder, all_events, run(folder, "day", "2024-01-01", "2024-12-31"), "2024")
        got = {g[2]: g for g in all_events}
        assert got["鏡開き,蔵開き"][0] == "2024-01-11"
        assert got["鏡開き,蔵開き"][3] == "鏡餅を割る;包丁は使わない\nお汁粉,雑煮\nC:\\年神様"
        assert got["誕生日,記念日"][3] == "花束;ケーキ\n予約は一週間前"
        assert got["誕生日,記念日"][1] == "行事"
    finally:
        shutil.rmtree(folder)


check_against_json()
check_fixtures()
print("ok")
