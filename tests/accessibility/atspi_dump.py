#!/usr/bin/python3
"""Prints the accessible tree of one window of a running program as a screen
reader finds it through AT-SPI, an object a line: depth, role, name,
description, states and the names of its labels, separated by tabs.

Usage: atspi_dump.py PROCESS-ID WINDOW-NAME"""

import sys
import time

import pyatspi


def find_window(pid, name):
    deadline = time.monotonic() + 20
    while time.monotonic() < deadline:
        for app in pyatspi.Registry.getDesktop(0):
            try:
                if app is not None and app.get_process_id() == pid:
                    return next(w for w in app if w is not None and w.name == name)
            except Exception:  # gone meanwhile, or the window not yet there
                continue
        time.sleep(0.2)
    sys.exit(f"No window named {name!r} of process {pid} on the AT-SPI bus")


def clean(text):
    return (text or "").replace("\t", " ").replace("\n", " ")


def dump(node, depth):
    states = node.getState()
    shown = [word for state, word in ((pyatspi.STATE_FOCUSABLE, "focusable"),
                                      (pyatspi.STATE_FOCUSED, "focused"))
             if states.contains(state)]
    if not states.contains(pyatspi.STATE_ENABLED):
        shown.append("disabled")
    labels = [clean(relation.getTarget(index).name)
              for relation in node.getRelationSet()
              if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY
              for index in range(relation.getNTargets())]
    print("\t".join([str(depth), node.getRoleName(), clean(node.name),
                     clean(node.description), ",".join(shown), " ".join(labels)]))
    for index in range(node.childCount):
        child = node.getChildAtIndex(index)
        if child is not None:
            dump(child, depth + 1)


if __name__ == "__main__":
    dump(find_window(int(sys.argv[1]), sys.argv[2]), 0)
