# SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
# SPDX-License-Identifier: MIT
"""What a screen reader finds of a running clock, through the AT-SPI bus.

    screen_reader.py PID clock            the clock window's name and description
    screen_reader.py PID dialog           the open dialog's controls: role, name, label
    screen_reader.py PID press ROLE NAME  carries out the control's first action
    screen_reader.py PID alert            waits for an alert; prints its text

Run with Debian's python3 (pyatspi). Exits 1 with a reason when what is
asked for is not there.
"""
import sys
import time

import pyatspi


def application(pid):
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is not None and app.get_process_id() == pid:
            return app
    sys.exit(f"no accessible application of process {pid}")


def walk(node, depth=0):
    yield node
    if depth > 12:
        return
    for child in node:
        if child is not None:
            yield from walk(child, depth + 1)


def label_of(node):
    for relation in node.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            return relation.getTarget(0).name
    return ""


def windows(app):
    return [w for w in app if w is not None and w.getState().contains(pyatspi.STATE_SHOWING)]


def main():
    pid, command = int(sys.argv[1]), sys.argv[2]
    app = application(pid)
    if command == "clock":
        for window in windows(app):
            if window.name.startswith("ソラネ ") and "Ver." not in window.name:
                print(f"name: {window.name}")
                print(f"description: {window.description}")
                return
        sys.exit("no clock window: " + ", ".join(w.name for w in windows(app)))
    if command == "dialog":
        for window in windows(app):
            for node in walk(window):
                role = node.getRoleName()
                if role in ("check box", "combo box", "text", "push button", "label"):
                    print(f"{role}|{node.name}|{label_of(node)}")
        return
    if command == "press":
        role, name = sys.argv[3], sys.argv[4]
        for window in windows(app):
            for node in walk(window):
                if node.getRoleName() == role and node.name == name:
                    node.queryAction().doAction(0)
                    return
        sys.exit(f"no {role} named {name}")
    if command == "alert":
        end = time.monotonic() + 30
        while time.monotonic() < end:
            for window in windows(application(pid)):
                for node in walk(window):
                    if node.getRole() == pyatspi.ROLE_ALERT:
                        texts = [n.name for n in walk(node) if n.getRoleName() == "label" and n.name]
                        print("alert: " + " / ".join(texts).replace("\n", " "))
                        return
            time.sleep(0.2)
        sys.exit("no alert")
    sys.exit(f"unknown command {command}")


if __name__ == "__main__":
    main()
