#!/usr/bin/env bash
# The real program on a private headless weston, natively on Wayland or through XWayland. The compositor has no
# seat, so the program is driven through its accessibility interface: it starts, shows its main window, enters
# the measuring mode through its button and, with the mode on, ends through File > Exit with status 0. On
# Wayland it asks the compositor for the pointer-constraints service when the mode starts.
# Usage: wayland_smoke.sh wayland|xwayland PROGRAM
set -euo pipefail
compositor_input=none
source "$(dirname "$0")/program_under_weston.sh"

export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 NO_AT_BRIDGE=0
/usr/libexec/at-spi-bus-launcher --launch-immediately &
helpers+=($!)
sleep 0.5
start_program

# The Debian package serves the system Python, whatever python3 the path finds first.
/usr/bin/python3 - <<'PY'
import sys
import time

import pyatspi

TITLE = "practice.con - Jhavari-Training"


def walk(node, depth=0):
    if node is None or depth > 40:
        return
    yield node
    for child in node:
        yield from walk(child, depth + 1)


def wait_for(what, find):
    for _ in range(100):
        found = find()
        if found:
            return found
        time.sleep(0.1)
    sys.exit(f"{what} did not appear")


def program():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name and "jhavari" in app.name.lower():
            return app


def named(app, role, start):
    return next((n for n in walk(app) if n.getRoleName() == role and n.name.startswith(start)), None)


def status_text(app):
    bar = next(n for n in walk(app) if n.getRoleName() == "status bar")
    return " ".join(child.name for child in bar if child.name)


app = wait_for("the program", program)
wait_for("the main window",
         lambda: (lambda frame: frame if frame and frame.getState().contains(pyatspi.STATE_SHOWING) else None)(
             named(app, "frame", TITLE)))
print("main window shown:", TITLE)
print("status:", status_text(app))
named(app, "push button", "Start meditation interval measurement mode").queryAction().doAction(0)
wait_for("the measuring mode", lambda: status_text(app).startswith("Meditation interval measurement active"))
print("status:", status_text(app))
named(app, "menu item", "Exit").queryAction().doAction(0)
PY
expect_clean_end
echo "ended with status 0"

if [ "$session" = wayland ]; then
  grep -q 'set_title("practice.con - Jhavari-Training")' "$protocol_log" || { echo "no window on Wayland"; exit 1; }
  grep -q 'bind([0-9]*, "zwp_pointer_constraints_v1"' "$protocol_log" \
    || { echo "the pointer-constraints service was not asked for"; exit 1; }
fi
