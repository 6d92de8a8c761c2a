#!/usr/bin/python3
"""Prints what a screen reader finds in the Quillory window, read through the accessibility bus:
one line per object, indented by depth, "role | name | description".

Usage: read_tree.py SECONDS [NAME_THAT_MUST_APPEAR]
Waits up to SECONDS for the application to appear on the bus, and for a line containing
NAME_THAT_MUST_APPEAR when given (the window fills its panels after it shows). Exits 2 when
the application never appears.
"""
import sys
import time

import pyatspi


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name.lower() == "quillory":
            return app
    return None


def lines_of(node, depth, out):
    if node is None or depth > 12:
        return
    name = node.name or ""
    description = node.description or ""
    out.append("%s%s | %s | %s" % ("  " * depth, node.getRoleName(), name, description))
    for i in range(node.childCount):
        lines_of(node.getChildAtIndex(i), depth + 1, out)


def main():
    seconds = float(sys.argv[1])
    wanted = sys.argv[2] if len(sys.argv) > 2 else None
    deadline = time.monotonic() + seconds
    lines = []
    while time.monotonic() < deadline:
        app = application()
        if app is not None:
            lines = []
            lines_of(app, 0, lines)
            if wanted is None or any(wanted in line for line in lines):
                break
        time.sleep(0.25)
    if not lines:
        print("the application did not appear on the accessibility bus", file=sys.stderr)
        return 2
    print("\n".join(lines))
    return 0


if __name__ == "__main__":
    sys.exit(main())
