#!/usr/bin/python3
"""Prints the accessible tree of one window of a running program as a screen
reader sees it through AT-SPI: one line per object, with its depth, role,
name, description, states and the names of its labels separated by tabs.

Usage: atspi_dump.py PROCESS-ID WINDOW-NAME
Needs DBUS_SESSION_BUS_ADDRESS of a session with the AT-SPI bus running."""

import sys
import time

import pyatspi

STATES = {
    pyatspi.STATE_FOCUSABLE: "focusable",
    pyatspi.STATE_FOCUSED: "focused",
}


def find_window(pid, name, seconds=20):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        for app in pyatspi.Registry.getDesktop(0):
            try:
                if app is None or app.get_process_id() != pid:
                    continue
                for window in app:
                    if window is not None and window.name == name:
                        return window
            except Exception:  # an application that went away meanwhile
                continue
        time.sleep(0.2)
    return None


def clean(text):
    return (text or "").replace("\t", " ").replace("\n", " ")


def labels(node):
    """The names of the objects that label this one, as a screen reader
    announces them with it."""
    names = []
    for relation in node.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            for index in range(relation.getNTargets()):
                names.append(clean(relation.getTarget(index).name))
    return " ".join(names)


def dump(node, depth):
    states = node.getState()
    shown = [word for state, word in STATES.items() if states.contains(state)]
    if not states.contains(pyatspi.STATE_ENABLED):
        shown.append("disabled")
    print("\t".join([str(depth), node.getRoleName(), clean(node.name),
                     clean(node.description), ",".join(shown), labels(node)]))
    for index in range(node.childCount):
        child = node.getChildAtIndex(index)
        if child is not None:
            dump(child, depth + 1)


def main():
    pid, name = int(sys.argv[1]), sys.argv[2]
    window = find_window(pid, name)
    if window is None:
        sys.exit(f"No window named {name!r} of process {pid} on the AT-SPI bus")
    dump(window, 0)


if __name__ == "__main__":
    main()
