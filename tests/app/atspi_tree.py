#!/usr/bin/env python3
# Reads the running window's accessibility tree over the AT-SPI bus as a screen reader does and
# checks the names of the aspect buttons and the signal columns of the canvas, and the events the
# bus delivers: none for ticks that change nothing, one for the column whose button was pressed.
# Exit status 0 when all is there, 1 with the differences, 77 when the bus or the window cannot be
# reached.

import sys
import time

try:
    import pyatspi
except ImportError as error:
    print(f"skipped: pyatspi is missing ({error})")
    sys.exit(77)


def walk(node, depth=0):
    yield node, depth
    try:
        count = node.childCount
    except Exception:
        return
    for i in range(count):
        try:
            child = node.getChildAtIndex(i)
        except Exception:
            continue
        if child is not None:
            yield from walk(child, depth + 1)


def find_application(name, timeout):
    deadline = time.time() + timeout
    while time.time() < deadline:
        try:
            desktop = pyatspi.Registry.getDesktop(0)
            for i in range(desktop.childCount):
                app = desktop.getChildAtIndex(i)
                if app is not None and app.name == name:
                    return app
        except Exception:
            pass
        time.sleep(0.5)
    return None


def collect_events(seconds, start=None):
    """The description changes the bus delivers within `seconds`, after running `start`."""
    from gi.repository import GLib

    seen = []

    def on_event(event):
        try:
            seen.append(event.source.name)
        except Exception:
            seen.append("?")

    kind = "object:property-change:accessible-description"
    pyatspi.Registry.registerEventListener(on_event, kind)
    if start:
        GLib.timeout_add(100, lambda: (start(), False)[1])
    GLib.timeout_add(int(seconds * 1000), lambda: (pyatspi.Registry.stop(), False)[1])
    pyatspi.Registry.start()
    pyatspi.Registry.deregisterEventListener(on_event, kind)
    return seen


def check_events(nodes):
    """A press is told at the next tick, for the pressed column; ticks that change nothing tell
    nothing (the window repaints every second)."""
    problems = []
    quiet = collect_events(2.5)
    if any(name.startswith("Spalte ") for name in quiet):
        problems.append(f"columns told without a change: {quiet}")
    button = next((n for n, _ in nodes if n.getRoleName() == "push button"
                   and n.name == "Einfahrsignal: 40 km/h"), None)
    if button is None:
        return problems + ["no button to press"]
    action = button.queryAction()
    press = next((i for i in range(action.nActions) if action.getName(i) in ("Press", "press", "click")), 0)
    told = collect_events(2.5, lambda: action.doAction(press))
    if "Spalte 2, Einfahrsignal" not in told:
        problems.append(f"pressing 'Einfahrsignal: 40 km/h' told {told}")
    return problems


def main():
    app = find_application(sys.argv[1] if len(sys.argv) > 1 else "lumaro", 30)
    if app is None:
        print("skipped: the window did not appear on the accessibility bus")
        return 77

    # The canvas and its columns appear with the first paint; give the tree a moment.
    problems = []
    for _ in range(20):
        nodes = list(walk(app))
        buttons = [n.name for n, _ in nodes if n.getRoleName() == "push button"]
        columns = {n.name: n.description for n, _ in nodes if n.name.startswith("Spalte ")}
        if "Spalte 2, Einfahrsignal" in columns:
            break
        time.sleep(0.5)

    for expected in ["Einfahrsignal: 40 km/h", "Ausfahrsignal: Kennlicht", "Blocksignal: Fahrt"]:
        if expected not in buttons:
            problems.append(f"no push button named {expected!r}; buttons: {sorted(set(buttons))}")
    bare = [name for name in buttons if name in ("Halt", "40 km/h", "Fahrt")]
    if bare:
        problems.append(f"buttons named by their caption alone: {bare}")
    if len(columns) != 10:
        problems.append(f"{len(columns)} columns instead of 10: {sorted(columns)}")
    entry = columns.get("Spalte 2, Einfahrsignal")
    if entry != "Hp 0. Lampen: rot.":
        problems.append(f"column 2 describes itself as {entry!r}")
    canvases = [n for n, _ in nodes if n.name.startswith("Signale der Strecke")]
    if not canvases:
        problems.append("no canvas named 'Signale der Strecke ...'")
    images = [n for n, _ in nodes if n.getRoleName() in ("image", "label") and n.name == "Lumaro-Logo"]
    if not images:
        problems.append("the logo has no name")

    problems += check_events(nodes)

    for problem in problems:
        print(problem)
    if not problems:
        print(f"ok: {len(buttons)} push buttons, {len(columns)} columns")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
