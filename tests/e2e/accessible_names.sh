#!/usr/bin/env bash
# The real program under Xvfb on its own session bus with the accessibility
# bus: every slider, time field and table of the main window that a screen
# reader reaches through AT-SPI has a name, and the unlabelled controls carry
# the names of the labels beside them.
# Usage: accessible_names.sh PROGRAM
set -euo pipefail
program=$1

if [ -z "${JHAVARI_E2E_IN_XVFB:-}" ]; then
  export JHAVARI_E2E_IN_XVFB=1
  exec xvfb-run -a -s "-screen 0 1024x768x24" dbus-run-session -- "$0" "$@"
fi

work=$(mktemp -d)
pid=
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
unset QT_QPA_PLATFORM
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_CONFIG_DIRS=$work/system-config
export XDG_RUNTIME_DIR=$work/run JHAVARI_ALSA_DEVICE=null
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 NO_AT_BRIDGE=0
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
/usr/libexec/at-spi-bus-launcher --launch-immediately &
sleep 0.5

"$program" &
pid=$!

# The Debian package serves the system Python, whatever python3 the path finds first.
/usr/bin/python3 - <<'PY'
import sys
import time

import pyatspi

NAMED_ROLES = {
    pyatspi.ROLE_SLIDER: "slider",
    pyatspi.ROLE_SPIN_BUTTON: "time field",
    pyatspi.ROLE_DATE_EDITOR: "time field",
    pyatspi.ROLE_TABLE: "list",
    pyatspi.ROLE_TREE_TABLE: "list",
}
EXPECTED = ["Volume wave files", "Main Volume", "Fixed duration", "Time interval for uddhacca alarm",
            "Recorded meditation intervals"]


def find_program():
    for _ in range(100):
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.name and "jhavari" in app.name.lower():
                return app
        time.sleep(0.1)
    return None


def walk(node, depth=0):
    if node is None or depth > 40:
        return
    yield node
    for child in node:
        yield from walk(child, depth + 1)


app = find_program()
if app is None:
    sys.exit("the program did not appear on the accessibility bus")
time.sleep(1.0)
nodes = list(walk(app))
names = {node.name for node in nodes}
failures = []
counted = 0
for node in nodes:
    kind = NAMED_ROLES.get(node.getRole())
    if kind:
        counted += 1
        if not node.name:
            failures.append(f"a {kind} without a name ({node.getRoleName()})")
for name in EXPECTED:
    if name not in names:
        failures.append(f"no control named {name!r}")
print(f"{len(nodes)} accessible objects, {counted} sliders, time fields and lists")
for failure in failures:
    print(failure)
sys.exit(1 if failures else 0)
PY
