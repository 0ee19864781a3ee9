#!/usr/bin/python3
"""Lists what a screen reader sees of a running game over the AT-SPI bus.

Usage: tools/atspi-tree.py [APP_NAME] [--all]   (APP_NAME: "Zig Zop" unless given)
Run inside the game's session bus (DBUS_SESSION_BUS_ADDRESS) with the game
started under QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1. Prints one line per object:
role, name, description and the states that matter to a reader. Hidden objects
are left out unless --all is given.
"""
import sys

import pyatspi

WANTED_STATES = [
    (pyatspi.STATE_FOCUSABLE, "focusable"),
    (pyatspi.STATE_FOCUSED, "FOCUSED"),
    (pyatspi.STATE_CHECKED, "checked"),
    (pyatspi.STATE_SHOWING, "showing"),
]


def describe(node):
    states = node.getState()
    shown = [label for state, label in WANTED_STATES if states.contains(state)]
    text = f"[{node.getRoleName()}] {node.name!r}"
    if node.description:
        text += f" ({node.description})"
    if shown:
        text += " {" + ", ".join(shown) + "}"
    return text, states.contains(pyatspi.STATE_SHOWING)


def walk(node, depth, everything, out):
    if node is None or depth > 30:
        return
    text, showing = describe(node)
    if not showing and not everything and depth > 1:
        return
    out.append("  " * depth + text)
    for i in range(node.childCount):
        walk(node.getChildAtIndex(i), depth + 1, everything, out)


def main():
    args = [a for a in sys.argv[1:] if not a.startswith("--")]
    everything = "--all" in sys.argv
    app_name = args[0] if args else "Zig Zop"
    desktop = pyatspi.Registry.getDesktop(0)
    found = False
    for app in desktop:
        if app is None or app.name != app_name:
            continue
        found = True
        out = []
        walk(app, 0, everything, out)
        print("\n".join(out))
    if not found:
        names = [app.name for app in desktop if app is not None]
        print(f"no application {app_name!r} on the bus; there are: {names}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
