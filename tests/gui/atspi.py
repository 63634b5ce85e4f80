# SPDX-FileCopyrightText: Quillon developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Looks at the running quillon as a screen reader does, through AT-SPI:
the buttons are push buttons with their captions, the list is a table whose
cells hold the listed names, the scroll bar tells its value and range, the
text boxes have names, and Generate can be pressed through its action.
Usage: atspi.py FOLDER (the folder quillon lists). Exit 1 on a failure."""

import os
import sys
import time

import pyatspi

failures = 0


def check(what, ok):
    global failures
    print(("ok   " if ok else "FAIL ") + what)
    failures += 0 if ok else 1


def quillon():
    for _ in range(100):
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and (app.name or "").lower() == "quillon":
                return app
        time.sleep(0.1)
    return None


def walk(node, depth=0):
    """Every node under node; a table's own widgets are, its cells are not."""
    yield node
    count = node.childCount
    if node.getRole() == pyatspi.ROLE_TABLE:
        table = node.queryTable()
        count -= table.nRows * table.nColumns
    for i in range(count if depth < 40 else 0):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child, depth + 1)


def find(app, role, name=None):
    return [n for n in walk(app) if n.getRole() == role and (name is None or n.name == name)]


def table_names(table, column):
    t = table.queryTable()
    return [t.getAccessibleAt(row, column).name for row in range(t.nRows)]


def press(node):
    action = node.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    return "Press" in names and action.doAction(names.index("Press"))


def main():
    folder = sys.argv[1]
    app = quillon()
    if app is None:
        print("FAIL quillon is not on the accessibility bus")
        return 1
    for _ in range(50):  # the window and its first scan
        tables = find(app, pyatspi.ROLE_TABLE)
        if tables and tables[0].queryTable().nRows > 0:
            break
        time.sleep(0.1)
    start = find(app, pyatspi.ROLE_PUSH_BUTTON, "Start Rename")
    check("Start Rename is a push button", len(start) == 1)
    check("Start Rename is enabled", start and start[0].getState().contains(pyatspi.STATE_ENABLED))
    check("the list is one table", len(tables) == 1)
    if not tables:
        return 1
    table = tables[0].queryTable()
    headers = [table.getColumnDescription(c) for c in range(table.nColumns)]
    check("the table's headers name the columns",
          "Current Filenames" in headers and "New Filenames" in headers)
    column = headers.index("Current Filenames") if "Current Filenames" in headers else 0
    files = sorted(n for n in os.listdir(folder) if os.path.isfile(os.path.join(folder, n)))
    check("the table's cells hold the file names", table_names(tables[0], column) == files)
    check("the first row is the selected one", list(table.getSelectedRows()) == [0])
    bars = find(app, pyatspi.ROLE_SCROLL_BAR)
    values = [b.queryValue() for b in bars]
    check("the scroll bars tell their value within their range",
          values and all(v.minimumValue <= v.currentValue <= v.maximumValue for v in values))
    # An editable drop-down is named by its text; its text field, which
    # takes the focus, carries the label's words (checked with the boxes).
    combos = find(app, pyatspi.ROLE_COMBO_BOX)
    check("the date pickers are combo boxes named by their columns",
          {"Creation Dates", "Modified Dates"} <= {p.name for p in combos})
    pickers = [p for p in combos if p.name.endswith("Dates")]
    check("the date pickers hold the chosen date",
          pickers and all(any(c.queryText().getText(0, -1) for c in p if c and c.name == p.name)
              for p in pickers))
    boxes = find(app, pyatspi.ROLE_TEXT) + find(app, pyatspi.ROLE_ENTRY)
    check("every text box has a name", boxes and all(b.name for b in boxes))
    lists = find(app, pyatspi.ROLE_LIST)
    browsers = [n for n in lists if n.name == "Folders"]
    check("the folder browser is a list", len(browsers) == 1)
    select = find(app, pyatspi.ROLE_PUSH_BUTTON, "Select")
    check("Select opens the folder browser", select and press(select[0]))
    items = []
    for _ in range(50):
        items = [b.getChildAtIndex(i) for b in browsers for i in range(b.childCount)]
        if any(i.name == "sub" for i in items):
            break
        time.sleep(0.1)
    check("the folder browser's entries are list items named as shown",
          "sub" in [i.name for i in items if i.getRole() == pyatspi.ROLE_LIST_ITEM])

    # New names with another pattern, made by pressing Generate through AT-SPI.
    pattern = [b for b in boxes if b.name == "Filename pattern"]
    check("the pattern box is found by its name", len(pattern) == 1)
    if pattern:
        pattern[0].queryEditableText().setTextContents("Spoken#")
    generate = find(app, pyatspi.ROLE_PUSH_BUTTON, "Generate")
    check("Generate is a push button with a Press action", generate and press(generate[0]))
    new_column = headers.index("New Filenames") if "New Filenames" in headers else 0
    for _ in range(50):
        if table_names(tables[0], new_column)[:1] == ["Spoken1.txt"]:
            break
        time.sleep(0.1)
    check("Generate made the new names", table_names(tables[0], new_column)
          == ["Spoken1.txt", "Spoken2.txt", "Spoken3.txt"])
    return 1 if failures else 0


sys.exit(main())
