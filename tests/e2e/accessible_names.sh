#!/usr/bin/env bash
# The real program under Xvfb on its own session bus with the accessibility
# bus, read and worked as a screen reader does through AT-SPI: the volume
# sliders, the progress bar and the interval clock must be what they stand
# for, with their names and values; the check boxes show their state; the
# tool bar buttons are named without their shortcut. Setting the main volume
# slider through AT-SPI must move the sound server's volume, and F10 and Space
# must start an interval that the clock shows.
# Usage: with_pulseaudio.sh accessible_names.sh PROGRAM (the private sound server's volume is read with pactl)
set -euo pipefail
program=$1

# A display number from a random start: the server of the test before may still be ending on the first free one.
if [ -z "${JHAVARI_E2E_IN_XVFB:-}" ]; then
  export JHAVARI_E2E_IN_XVFB=1
  exec xvfb-run -a -n $((100 + RANDOM % 800)) -s "-screen 0 1024x768x24 -noreset" dbus-run-session -- "$0" "$@"
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


def walk(node, depth=0):
    if node is not None and depth <= 40:
        yield node
        for child in node:
            yield from walk(child, depth + 1)


def the(kind, name, role, has=lambda node: True):
    """The object with this name and role (and what `has` asks of it), as a screen reader finds it."""
    found = [node for node in walk(app) if node.name == name and node.getRole() == role and has(node)]
    if not found:
        fail(f"no {kind} named {name!r}, only {[node.getRoleName() for node in walk(app) if node.name == name]}")
    return found[0] if found else None


def value(node):
    try:
        return node.queryValue()
    except NotImplementedError:
        return None


def text(node):
    try:
        return node.queryText().getText(0, -1)
    except NotImplementedError:
        return None


def wait_for(condition, seconds=5.0):
    end = time.time() + seconds
    while time.time() < end and not condition():
        time.sleep(0.1)
    return condition()


def sink_volume():
    out = subprocess.run(["pactl", "get-sink-volume", "@DEFAULT_SINK@"], capture_output=True, text=True).stdout
    found = re.search(r"front-left:\s*(\d+)", out)
    return int(found.group(1)) if found else -1


app = None
for _ in range(100):
    app = next((a for a in pyatspi.Registry.getDesktop(0) if a is not None and "jhavari" in (a.name or "").lower()), None)
    if app:
        break
    time.sleep(0.1)
if app is None:
    sys.exit("the program did not appear on the accessibility bus")
time.sleep(1.0)

# The sliders and the progress bar have their role, their name and their value.
sliders = [the("slider", name, pyatspi.ROLE_SLIDER, value) for name in ("Volume wave files", "Main Volume")]
for slider in filter(None, sliders):
    scale = value(slider)
    if (scale.minimumValue, scale.maximumValue) != (0, 20) or not 0 <= scale.currentValue <= 20:
        fail(f"{slider.name!r} reads {scale.currentValue} in {scale.minimumValue}..{scale.maximumValue}")
bar = the("progress bar", "Part of the fixed total exercise time passed", pyatspi.ROLE_PROGRESS_BAR, value)
if bar and (value(bar).currentValue, value(bar).maximumValue) != (0, 100):
    fail(f"the progress bar reads {value(bar).currentValue} of {value(bar).maximumValue}")
# The label beside the clock bears the same name; the clock is the one whose text is the time it shows.
clock = the("clock", "Duration of the current meditation interval", pyatspi.ROLE_LABEL,
            lambda node: text(node) is not None)

fixed = the("check box", "Fixed total exercise time", pyatspi.ROLE_CHECK_BOX)
alarm = the("check box", "Automatic udhacca alarm", pyatspi.ROLE_CHECK_BOX)
ticked = [box.getState().contains(pyatspi.STATE_CHECKED) for box in (fixed, alarm) if box]
if ticked != [True, False]:
    fail(f"the check boxes read as ticked {ticked}, not [True, False]")
new = the("tool bar button", "New", pyatspi.ROLE_PUSH_BUTTON)
if new and new.queryAction().getKeyBinding(0) != "Ctrl+N":
    fail(f"the tool bar button 'New' gives {new.queryAction().getKeyBinding(0)!r} as its key binding")
shortcut_names = [node.name for node in walk(app) if node.getRole() == pyatspi.ROLE_PUSH_BUTTON and "\t" in node.name]
if shortcut_names:
    fail(f"buttons named with their shortcut: {shortcut_names}")

# A screen reader sets the main volume as the user would: the sound server follows.
if sliders[1]:
    value(sliders[1]).currentValue = 5.0
    if not wait_for(lambda: abs(sink_volume() - 5 * 3277) <= 2):
        fail(f"the sink's volume is {sink_volume()} after the slider was set to 5")

# F10 lights the clock; Space starts an interval that it shows running.
if clock:
    subprocess.run(["xdotool", "key", "F10"], check=True)
    if not wait_for(lambda: text(clock) == "00:00:00"):
        fail(f"the lit clock reads {text(clock)!r}")
    subprocess.run(["xdotool", "key", "space"], check=True)
    if not wait_for(lambda: (text(clock) or "") >= "00:00:02"):
        fail(f"the clock reads {text(clock)!r} two seconds after Space")

print(f"{sum(1 for _ in walk(app))} accessible objects, {len(failures)} failures")
sys.exit(1 if failures else 0)
PY
