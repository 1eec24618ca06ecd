#!/usr/bin/python3
"""Prints the accessible tree of one window of a running program as a screen
reader finds it through AT-SPI, an object a line, indented by depth:
"role: name (description) [focusable,unnamed]", and once more by its labels
as "role: labels (description) [label]" where they differ from its name.

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


def say(depth, role, name, description, states):
    line = "  " * depth + f"{role}: {name}"
    if description:
        line += f" ({description})"
    if states:
        line += f" [{','.join(states)}]"
    print(line.replace("\n", " "))


def dump(node, depth):
    states = ["focusable"] if node.getState().contains(pyatspi.STATE_FOCUSABLE) else []
    labels = " ".join(relation.getTarget(index).name or ""
                      for relation in node.getRelationSet()
                      if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY
                      for index in range(relation.getNTargets())).strip()
    name = (node.name or "").strip()
    if not name and not labels:
        states.append("unnamed")
    say(depth, node.getRoleName(), name or labels, node.description, states)
    # A combo box is heard by its label, then by what it shows.
    if name and labels and labels != name:
        say(depth, node.getRoleName(), labels, node.description, ["label"])
    for index in range(node.childCount):
        child = node.getChildAtIndex(index)
        if child is not None:
            dump(child, depth + 1)


if __name__ == "__main__":
    dump(find_window(int(sys.argv[1]), sys.argv[2]), 0)
