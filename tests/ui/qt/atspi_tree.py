#!/usr/bin/python3
"""Reads Kalendo2's window over the AT-SPI bus as a screen reader does and
checks what reading the month needs: the grid is a table of 42 day cells
whose names begin with their date and weekday, exactly one of them is
selected and it is the day the date pane names; the panes and both lists
have their names. Exit status 0 when all holds."""
import re
import sys
import time

import pyatspi

PANES = ["十二直", "二十八宿", "旧暦と六曜", "月齢", "年の干支と月", "この日の暦", "これからの予定"]
DAY_NAME = re.compile(r"^(\d+)年(\d+)月(\d+)日 [日月火水木金土]曜日")


def find_app(timeout_s):
    deadline = time.monotonic() + timeout_s
    while time.monotonic() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.name == "Kalendo2":
                return app
        time.sleep(0.2)
    return None


def walk(node, depth=0):
    yield node
    if depth > 12:
        return
    for child in node:
        if child is not None:
            yield from walk(child, depth + 1)


def main():
    app = find_app(60)
    if app is None:
        print("Kalendo2 is not on the accessibility bus")
        return 1
    tables = []
    names = set()
    # The tree fills in as the window is shown: read it until the grid is there.
    deadline = time.monotonic() + 60
    while True:
        nodes = list(walk(app))
        tables = [n for n in nodes if n.getRole() == pyatspi.ROLE_TABLE]
        names = {n.name for n in nodes}
        if tables and tables[0].childCount == 42 or time.monotonic() > deadline:
            break
        time.sleep(0.2)
    problems = []
    if not tables:
        problems.append("no grid on the bus within 60 s")
    elif len(tables) != 1:
        problems.append(f"{len(tables)} tables instead of the grid alone")
    else:
        cells = [tables[0][i] for i in range(tables[0].childCount)]
        if len(cells) != 42:
            problems.append(f"the grid has {len(cells)} cells")
        selected = []
        for i, cell in enumerate(cells):
            m = DAY_NAME.match(cell.name or "")
            if cell.getRole() != pyatspi.ROLE_TABLE_CELL or not m:
                problems.append(f"cell {i}: {cell.getRoleName()} {cell.name!r}")
            elif cell.getState().contains(pyatspi.STATE_SELECTED):
                selected.append(tuple(int(g) for g in m.groups()))
        # The date pane is named after the selected day.
        shown = [tuple(int(g) for g in DAY_NAME.match(n).groups())
                 for n in names if n and DAY_NAME.match(n) and n == DAY_NAME.match(n).group(0)]
        if len(selected) != 1 or selected != shown:
            problems.append(f"selected cells {selected}, the date pane names {shown}")
        print(f"grid {tables[0].name!r}; cell 0 {cells[0].name!r}")
    # A pane's name may go on with what it shows (the old-calendar pane's
    # close calls): the name begins with what the pane is.
    for pane in PANES:
        if not any(n == pane or n.startswith(pane + " ") for n in names if n):
            problems.append(f"no control named {pane}")
    for p in problems:
        print(p)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
