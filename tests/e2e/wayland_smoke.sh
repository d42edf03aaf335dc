#!/usr/bin/env bash
# The real program on a private headless weston, natively on Wayland or through XWayland. Without a seat it is
# driven through its accessibility interface: it starts, shows its main window, enters the measuring mode by
# its button and, with the mode on, ends through File > Exit with status 0. On Wayland it asks the compositor
# for pointer constraints as the mode starts.
# Usage: wayland_smoke.sh wayland|xwayland PROGRAM
set -euo pipefail
seat=none
source "$(dirname "$0")/program_under_weston.sh"

export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 NO_AT_BRIDGE=0
/usr/libexec/at-spi-bus-launcher --launch-immediately &
helpers+=($!)
sleep 0.5
start_program

# The Debian package serves the system Python, whatever python3 the path finds first.
/usr/bin/python3 - <<'PY'
import sys, time
import pyatspi

def walk(node):
    yield node
    for child in node:
        yield from walk(child)

def wait_for(what, find):
    for _ in range(100):
        if found := find():
            return found
        time.sleep(0.1)
    sys.exit(f"{what} did not appear")

def named(role, start):
    return next((n for n in walk(app) if n.getRoleName() == role and n.name.startswith(start)), None)

def status():
    return " ".join(label.name for label in named("status bar", ""))

app = wait_for("the program", lambda: next((a for a in pyatspi.Registry.getDesktop(0)
                                            if a and "jhavari" in (a.name or "").lower()), None))
wait_for("the main window", lambda: (frame := named("frame", "practice.con - Jhavari-Training"))
         and frame.getState().contains(pyatspi.STATE_SHOWING))
print("main window shown; status:", status())
named("push button", "Start meditation interval measurement mode").queryAction().doAction(0)
wait_for("the measuring mode", lambda: "measurement active" in status())
print("status:", status())
named("menu item", "Exit").queryAction().doAction(0)
PY
expect_clean_end
echo "ended with status 0"
[ "$session" = xwayland ] || grep -q 'bind([0-9]*, "zwp_pointer_constraints_v1"' "$protocol_log" \
  || { echo "pointer constraints were not asked for"; exit 1; }
