#!/usr/bin/env bash
# The real program under Xvfb on its own session bus with the accessibility
# bus, read and worked as a screen reader does through AT-SPI: the volume
# sliders, the progress bar and the interval clock must be what they stand
# for, with their names and values; the check boxes show their state; the
# tool bar buttons are named without their shortcut. Setting the main volume
# slider through AT-SPI must move the sound server's volume, and F10, Space
# and Backspace must run an interval that the clock shows.
# Usage: with_pulseaudio.sh accessible_names.sh PROGRAM (the private sound server's volume is read with pactl)
set -euo pipefail
program=$1

if [ -z "${JHAVARI_E2E_IN_XVFB:-}" ]; then
  export JHAVARI_E2E_IN_XVFB=1
  exec xvfb-run -a -s "-screen 0 1024x768x24" dbus-run-session -- "$0" "$@"
fi

# The sound server of with_pulseaudio.sh stays reachable after the folders change.
export PULSE_SERVER="unix:$XDG_RUNTIME_DIR/pulse/native" PULSE_COOKIE="$XDG_CONFIG_HOME/pulse/cookie"
work=$(mktemp -d)
pid=
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
unset QT_QPA_PLATFORM JHAVARI_ALSA_MIXER
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_CONFIG_DIRS=$work/system-config
export XDG_DATA_HOME=$work/data XDG_RUNTIME_DIR=$work/run JHAVARI_ALSA_DEVICE=null
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 NO_AT_BRIDGE=0
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
/usr/libexec/at-spi-bus-launcher --launch-immediately &
sleep 0.5

"$program" &
pid=$!
window=
for _ in $(seq 80); do
  window=$(xdotool search --onlyvisible --name "Jhavari-Training\$" 2>/dev/null | head -n 1 || true)
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "the main window did not appear"; exit 1; }
xdotool windowfocus --sync "$window"

# The Debian package serves the system Python, whatever python3 the path finds first.
/usr/bin/python3 - <<'PY'
import re
import subprocess
import sys
import time

import pyatspi

failures = []


def fail(text):
    failures.append(text)
    print("FAIL:", text)


def find_program():
    for _ in range(100):
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name and "jhavari" in app.name.lower():
                return app
        time.sleep(0.1)
    sys.exit("the program did not appear on the accessibility bus")


def walk(node, depth=0):
    if node is None or depth > 40:
        return
    yield node
    for child in node:
        yield from walk(child, depth + 1)


def named(name):
    return [node for node in walk(app) if node.name == name]


def the(name, role, kind):
    """The one object with this name; it must have the role a screen reader expects."""
    nodes = named(name)
    if not nodes:
        fail(f"no {kind} named {name!r}")
        return None
    with_role = [node for node in nodes if node.getRole() == role]
    if not with_role:
        fail(f"{name!r} is no {kind} but {', '.join(node.getRoleName() for node in nodes)}")
        return None
    return with_role[0]


def value_of(node, kind):
    try:
        return node.queryValue()
    except NotImplementedError:
        fail(f"the {kind} {node.name!r} has no value")
        return None


def text_of(node):
    try:
        text = node.queryText()
    except NotImplementedError:
        return None
    return text.getText(0, -1)


def wait_for(condition, seconds=5.0):
    end = time.time() + seconds
    while time.time() < end:
        if condition():
            return True
        time.sleep(0.1)
    return condition()


def key(name):
    subprocess.run(["xdotool", "key", "--clearmodifiers", name], check=True)


def sink_volume():
    out = subprocess.run(["pactl", "get-sink-volume", "@DEFAULT_SINK@"], capture_output=True, text=True).stdout
    found = re.search(r"front-left:\s*(\d+)", out)
    return int(found.group(1)) if found else -1


app = find_program()
time.sleep(1.0)

# Every slider and progress bar a screen reader meets has a name and a value.
for node in walk(app):
    if node.getRole() in (pyatspi.ROLE_SLIDER, pyatspi.ROLE_PROGRESS_BAR):
        if not node.name:
            fail(f"a {node.getRoleName()} without a name")
        value_of(node, node.getRoleName())

sliders = {}
for name in ("Volume wave files", "Main Volume"):
    slider = the(name, pyatspi.ROLE_SLIDER, "slider")
    value = slider and value_of(slider, "slider")
    if value:
        sliders[name] = value
        if (value.minimumValue, value.maximumValue) != (0, 20) or not 0 <= value.currentValue <= 20:
            fail(f"the slider {name!r} reads {value.currentValue} in {value.minimumValue}..{value.maximumValue}")

bars = [node for node in walk(app) if node.getRole() == pyatspi.ROLE_PROGRESS_BAR]
if not bars:
    fail("no progress bar")
for bar in bars:
    value = value_of(bar, "progress bar")
    if value and (value.minimumValue, value.maximumValue, value.currentValue) != (0, 100, 0):
        fail(f"the progress bar reads {value.currentValue} in {value.minimumValue}..{value.maximumValue}")

# The label beside the clock bears the same name; the clock is the one whose text is the time it shows.
clock = None
if the("Duration of the current meditation interval", pyatspi.ROLE_LABEL, "clock"):
    clocks = [node for node in named("Duration of the current meditation interval")
              if node.getRole() == pyatspi.ROLE_LABEL and text_of(node) is not None]
    clock = clocks[0] if clocks else None
    if not clock:
        fail("the clock has no text")

fixed = the("Fixed total exercise time", pyatspi.ROLE_CHECK_BOX, "check box")
if fixed and not fixed.getState().contains(pyatspi.STATE_CHECKED):
    fail("'Fixed total exercise time' is not read as ticked")
alarm = the("Automatic udhacca alarm", pyatspi.ROLE_CHECK_BOX, "check box")
if alarm and alarm.getState().contains(pyatspi.STATE_CHECKED):
    fail("'Automatic udhacca alarm' is read as ticked")

for node in walk(app):
    if node.getRole() == pyatspi.ROLE_PUSH_BUTTON and "\t" in node.name:
        fail(f"a button named with its shortcut: {node.name!r}")
new = the("New", pyatspi.ROLE_PUSH_BUTTON, "tool bar button")
if new and new.queryAction().getKeyBinding(0) != "Ctrl+N":
    fail(f"the tool bar button 'New' gives {new.queryAction().getKeyBinding(0)!r} as its key binding")

# A screen reader sets the main volume as the user would: the sound server follows.
if "Main Volume" in sliders:
    sliders["Main Volume"].currentValue = 5.0
    if not wait_for(lambda: abs(sink_volume() - 5 * 3277) <= 2):
        fail(f"the sink's volume is {sink_volume()} after the slider was set to 5")
    if sliders["Main Volume"].currentValue != 5:
        fail(f"the main volume slider reads {sliders['Main Volume'].currentValue} after it was set to 5")

# Measuring from the keyboard: F10, an interval with Space, ended by Backspace, ESC.
if clock:
    key("F10")
    if not wait_for(lambda: text_of(clock) == "00:00:00"):
        fail(f"the lit clock reads {text_of(clock)!r}")
    focused = [node for node in walk(app) if node.getState().contains(pyatspi.STATE_FOCUSED)]
    if not any(node.name == "Waiting for mouse-start (left mouse button) ..." for node in focused):
        fail(f"while measuring the focus is on {[node.name for node in focused]}")
    key("space")
    if not wait_for(lambda: (text_of(clock) or "") >= "00:00:02"):
        fail(f"the clock reads {text_of(clock)!r} two seconds after Space")
    key("BackSpace")
    time.sleep(1.5)
    stopped = text_of(clock)
    time.sleep(1.2)
    if text_of(clock) != stopped:
        fail(f"the clock runs on after Backspace: {stopped!r}, then {text_of(clock)!r}")
    key("Escape")
    if not wait_for(lambda: text_of(clock) == ""):
        fail(f"the clock stays lit after ESC: {text_of(clock)!r}")

print(f"{sum(1 for _ in walk(app))} accessible objects, {len(failures)} failures")
sys.exit(1 if failures else 0)
PY
