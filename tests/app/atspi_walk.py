"""The running program as a screen reader meets it through AT-SPI: every
control named, and each grid asked every question of its Table interface for
every child, row and column, past the ends too, without ending the program and
reading each cell as the grid shows it.  Run by tst_atspi.sh.
Usage: atspi_walk.py <program's pid>"""
import sys
import time

import pyatspi
from gi.repository import Atspi

CONTROLS = {"text", "push button", "check box", "table", "menu item"}
VOUCHERS = ["12,50", "4", "50,00", "100,00", "1 000", "100 000,00", "", "", ""]
ESTABLISHMENTS = ["1", "000123", "Bistro", "Hlavna 1", "Nitra", "35757442", "", "02", "1234567",
                  "02/1234568", ""] + [""] * 11
pid = int(sys.argv[1])
failures = []


def fail(text):
    failures.append(text)
    print("FAIL:", text, file=sys.stderr)


def alive():
    """Running: an ended program stays a zombie until its shell waits for it."""
    try:
        with open(f"/proc/{pid}/stat") as stat:
            return stat.read().rsplit(")", 1)[1].split()[0] != "Z"
    except OSError:
        return False


def program():
    for _ in range(100):
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.get_process_id() == pid:
                return app
        time.sleep(0.3)
    sys.exit("FAIL: the program never appeared on the accessibility bus")


def find(node, test):
    if test(node):
        return node
    if node.getRoleName() != "table":
        for child in node:
            found = child is not None and find(child, test)
            if found:
                return found
    return None


def unnamed(node, path=""):
    path = path + "/" + node.getRoleName()
    found = [path] if node.getRoleName() in CONTROLS and not node.name else []
    if node.getRoleName() != "table":
        for child in node:
            found += unnamed(child, path) if child is not None else []
    return found


def ask(what, question, *arguments):
    """One question; a program that ends on it is the failure this check is for."""
    try:
        return question(*arguments)
    except Exception as error:  # a refused question is an answer, an ended program is not
        if not alive():
            sys.exit(f"FAIL: the program ended on {what}{arguments}: {error}")
        return None


def walk_table(name, shown):
    table = find(app, lambda n: n.getRoleName() == "table" and n.name == name)
    if table is None:
        return fail(f"no table named {name}")
    t = table.queryTable()
    rows, columns, children = t.nRows, t.nColumns, table.childCount
    print(f"{name}: {rows} rows, {columns} columns, {children} children")
    if children != rows * columns or len(shown) != children:
        fail(f"{name}: {children} children for {rows} x {columns} cells, {len(shown)} expected")
    questions = [("getRowAtIndex", t.getRowAtIndex), ("getColumnAtIndex", t.getColumnAtIndex),
                 ("getRowColumnExtentsAtIndex", t.getRowColumnExtentsAtIndex)]
    for i in range(-2, children + columns + 2):
        answers = [ask(what, q, i) for what, q in questions]
        if 0 <= i < children:
            cell = ask("getChildAtIndex", table.getChildAtIndex, i)
            place = (answers[0], answers[1], answers[2] and tuple(answers[2])[1:3])
            if place != (i // columns, i % columns, (i // columns, i % columns)):
                fail(f"{name}: child {i} answers row and column {place}")
            if cell is None or cell.name != shown[i]:
                fail(f"{name}: child {i} reads {cell and cell.name!r}, the grid shows {shown[i]!r}")
    cell_questions = [("getAccessibleAt", t.getAccessibleAt), ("getIndexAt", t.getIndexAt),
                      ("getRowExtentAt", t.getRowExtentAt), ("getColumnExtentAt", t.getColumnExtentAt),
                      ("isSelected", t.isSelected)]
    for r in range(-2, rows + 3):
        for what, q in [("getRowDescription", t.getRowDescription), ("getRowHeader", t.getRowHeader),
                        ("isRowSelected", t.isRowSelected), ("addRowSelection", t.addRowSelection),
                        ("removeRowSelection", t.removeRowSelection)]:
            ask(what, q, r)
        for c in range(-2, columns + 3):
            answers = [ask(what, q, r, c) for what, q in cell_questions]
            if 0 <= r < rows and 0 <= c < columns and answers[1] != r * columns + c:
                fail(f"{name}: getIndexAt({r}, {c}) answers {answers[1]}")
    for c in range(-2, columns + 3):
        header = ask("getColumnHeader", t.getColumnHeader, c)
        description = ask("getColumnDescription", t.getColumnDescription, c)
        if 0 <= c < columns and (header is None or header.name != description or not description):
            fail(f"{name}: column {c} heading {header and header.name!r}, description {description!r}")
        for what, q in [("isColumnSelected", t.isColumnSelected), ("addColumnSelection", t.addColumnSelection),
                        ("removeColumnSelection", t.removeColumnSelection)]:
            ask(what, q, c)
    for what, q in [("getSelectedRows", t.getSelectedRows), ("getSelectedColumns", t.getSelectedColumns),
                    ("caption", lambda: t.caption), ("summary", lambda: t.summary)]:
        ask(what, q)


app = program()
walk_table("Súpiska kupónov", VOUCHERS)
# The database window, from its menu entry.  The press answers once the modal
# window closes, so it is not waited for.
entry = find(app, lambda n: n.getRoleName() == "menu item" and n.name == "Databáza prevádzok")
Atspi.set_timeout(2000, 2000)
ask("doAction", entry.queryAction().doAction, 0)
for _ in range(50):
    database = find(app, lambda n: n.getRoleName() == "dialog" and n.name == "Databáza prevádzok")
    if database is not None and database.getState().contains(pyatspi.STATE_SHOWING):
        break
    time.sleep(0.2)
for path in unnamed(app):
    fail(f"unnamed control {path}")
walk_table("Prevádzky", ESTABLISHMENTS)
# Escape, typed with no entry open, closes it.
pyatspi.Registry.generateKeyboardEvent(9, None, pyatspi.KEY_PRESSRELEASE)  # X key code 9: Escape
for _ in range(50):
    if not database.getState().contains(pyatspi.STATE_SHOWING):
        break
    time.sleep(0.2)
else:
    fail("Escape left the database window open")
if not alive():
    sys.exit("FAIL: the program ended")
if failures:
    sys.exit(1)
print("every control named; every Table question answered for every child, row and column;"
      " Escape closed the database window")
