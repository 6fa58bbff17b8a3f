#!/usr/bin/env python3
"""Writes the seed corpus of every fuzz target into tests/fuzz/corpus/.

    tests/fuzz/make_corpus.py [BIN_DIR]

BIN_DIR holds the shipped definition files as they ship (code page 932,
converted at build time; default build-fuzz/bin). The UTF-8 sources in data/
and the fixtures in tests/data/defs/ are seeds too: a UTF-8 file is one of
the files users save, read converted to CP932. Every seed is small (the largest
is the calendar-note file, about 12 KB). Existing seeds are replaced.
"""
import pathlib
import shutil
import sys

ROOT = pathlib.Path(__file__).resolve().parents[2]
CORPUS = ROOT / "tests" / "fuzz" / "corpus"
DATA = ROOT / "data"
FIXTURES = ROOT / "tests" / "data" / "defs"


def cp(text):
    return text.encode("cp932")


def entry_lines(raw):
    """The lines of a CP932 file that are neither comments nor blank."""
    lines = raw.split(b"\n")
    return [l for l in lines if l.strip() and not l.lstrip().startswith(b";")]


def slices(raw, size):
    """The entry lines (with their blocks) in groups of `size` lines."""
    lines = entry_lines(raw)
    return [b"\n".join(lines[i:i + size]) + b"\n" for i in range(0, len(lines), size)]


def write(target, seeds):
    folder = CORPUS / target
    if folder.exists():
        shutil.rmtree(folder)
    folder.mkdir(parents=True)
    for name, data in seeds.items():
        (folder / name).write_bytes(data)


def shipped(bin_dir, name):
    return (bin_dir / name).read_bytes(), (DATA / name).read_bytes()


def file_seeds(bin_dir, name, slice_lines, extra):
    cp932, utf8 = shipped(bin_dir, name)
    seeds = {"shipped_cp932.Def": cp932, "shipped_utf8.Def": utf8,
             "shipped_utf8_bom.Def": b"\xef\xbb\xbf" + utf8}
    for i, part in enumerate(slices(cp932, slice_lines)):
        seeds[f"slice_{i:02d}.Def"] = part
    seeds.update(extra)
    return seeds


def expressions(bin_dir):
    """Every date expression of the shipped holiday and calendar-note files."""
    found = []
    holidays, _ = shipped(bin_dir, "祝日.Def")
    for line in entry_lines(holidays):
        words = line.split(b";")[0].split(b"/", 1)
        if len(words) == 2 and words[1].split():
            found.append(words[1].split()[0])
    notes, _ = shipped(bin_dir, "暦日.Def")
    in_block = False
    for line in notes.split(b"\n"):
        line = line.rstrip(b"\r")
        if line.startswith(b"{"):
            in_block = True
        elif in_block:
            in_block = not line.startswith(b"}")
        else:
            words = line.split(b";")[0].split()
            if len(words) >= 2:
                found.append(words[1])
    more = ["旧閏4/1", "100/Mon100", "5/6<Sat|2008", "9/Mon3|Deg180", "2/六十干支・1",
            "13/十二支・子2", "0/十干・甲99", "7/満月180", "5/3>平日", "11/3=休日",
            "Deg-75", "Deg315.5", "1/1+400-3"]
    found += [cp(t) for t in more]
    unique = sorted(set(found))
    return {f"expr_{i:03d}": e for i, e in enumerate(unique)}


def main():
    bin_dir = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ROOT / "build-fuzz" / "bin")
    write("holidays", file_seeds(bin_dir, "祝日.Def", 12, {
        "holiday_lines.Def": cp((FIXTURES / "holiday_lines.Def").read_text()),
        "generated.Def": cp("a ( 2000 - 3000 ) / 5/3 d\nb ( 2000 - 3000 ) / 5/5 d\n"
                            "c ( 2000 - 3000 ) / 5/6<平日 d\n"),
    }))
    write("notes", file_seeds(bin_dir, "暦日.Def", 10, {
        "blocks_crlf.Def": (FIXTURES / "blocks_crlf.Def").read_bytes(),
        "lunisolar.Def": cp("旧正月 旧1/1\n{\n旧暦の元日\n}\n閏 旧閏4/1 x\n"),
    }))
    usr_cp932, usr_utf8 = shipped(bin_dir, "Usr.Def")
    write("user_entries", {
        "shipped_cp932.Def": usr_cp932,
        "shipped_utf8.Def": usr_utf8,
        "entries.Def": cp("誕生日 2000 / 7/7 2\n{\n花を買う\nケーキ\n}\n"
                          "月末 2000 / 5/28 4\n記念日 1990 / 100/Sun2 0\n"
                          "越年 2000 / 12/25+7 7\n"),
        "blocks_crlf.Def": (FIXTURES / "blocks_crlf.Def").read_bytes(),
    })
    sched_cp932, sched_utf8 = shipped(bin_dir, "Schedule.Def")
    awkward = ("会議                2025/03/05\t1\n{\n資料を持参\r\n10時から\n}\n"
               "長い名前の予定です長い名前 2024/12/01\t4\n{\n  先頭に空白\n\n}x\n }\n;注釈でない\n}\n"
               "過去 2020/01/01\t0\n{\n消える\n}\n空 2024/06/15\t9\n{\n}\n")
    # Saved by an editor as UTF-8: without and with the byte-order mark, a
    # combining voiced mark to compose, and a character CP932 cannot hold.
    schedules = {
        "shipped_cp932.Def": sched_cp932,
        "awkward_notes.Def": sched_cp932 + cp(awkward),
        "awkward_notes_utf8.Def": sched_utf8 + awkward.encode(),
        "awkward_notes_utf8_bom.Def": b"\xef\xbb\xbf" + sched_utf8 + awkward.encode(),
        "combining_utf8.Def": sched_utf8 + "か\u3099ーデン 2025/01/01\t1\n{\nは\u309Aン\n}\n".encode(),
        "unheld_utf8.Def": sched_utf8 + "誕生日\U0001F382 2025/01/01\t1\n{\n}\n".encode(),
        "blocks_crlf.Def": (FIXTURES / "blocks_crlf.Def").read_bytes(),
    }
    write("schedules", schedules)
    write("schedule_round_trip", schedules)
    write("eras", file_seeds(bin_dir, "元号.Def", 8, {
        "crlf.Def": cp("令和 2019/04/30\r\n平成 1989/01/07\r\n\r\n昭和 1926/12/24\r"),
    }))
    write("expression", expressions(bin_dir))
    settings = (";;;;;;;;;;;;; Kalendo2.Ini For Ver. 1.18 ;;;;;;;;;;;;;\n\n[Position]\n"
                "329 : 208\n\n[Size]\n0\n\n[View]\n0\n\n")
    write("settings", {
        "written.Ini": settings.encode(),
        "crlf.Ini": settings.replace("\n", "\r\n").encode(),
        "headers_in_a_row.Ini": b"[Position]\n[Size]\n1\n[View]\n[Size]\n1\n",
        "size_last.Ini": b"[Position]\n-20 :-30\n[Size]",
        "odd_values.Ini": b"[Position]\n  +12   :  x\n[View]\n7\n",
    })
    write("jumps", {
        "plain": b"2024\n2\n30\n1\n",
        "carry": b"\n13\n0\n-1\n",
        "signs": b"+5\n-0\n 31x\n400000\n",
        "far": b"99999999999\n-99999999\n2147483647\n-2147483648\n",
        "empty": b"",
    })
    write("era_convert", {
        "heisei": b"\x01" + cp("31年4月30日\n2019年5月1日"),
        "showa": b"\x02" + cp("64年1月7日\n1989年1月7日"),
        "year_only": b"\x00" + cp("2年\n2020年"),
        "none_selected": b"\xff" + cp("3年2月1日\n 2021 年1月1日"),
        "far": b"\x05" + cp("-2147483648年99月-5日\n9999999999年0月0日"),
    })


if __name__ == "__main__":
    main()
