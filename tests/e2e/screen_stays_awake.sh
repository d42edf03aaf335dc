#!/usr/bin/env bash
# The real program under Xvfb, whose screen saver starts after two seconds without input, on a private session
# bus: while measuring the screen saver does not start, after ESC it does. Meanwhile no screen saver service runs,
# then a stand-in for the desktop's service and portal logs what it is asked and answers only when told to
# (SIGUSR1): each switching-on asks to inhibit, with the program's name and why, and each ESC ends that
# inhibition with the service's cookie, also when the answer came only after the mode had ended; inside a
# sandbox (a Snap) the portal is asked for the idle inhibition, and its request is closed.
# Usage: screen_stays_awake.sh PROGRAM SCREEN_SAVER_STATE
set -euo pipefail
skip() { echo "skipped: $1 is not installed" >&2; exit 77; }
command -v xset >/dev/null || skip x11-xserver-utils
command -v dbus-run-session >/dev/null || skip dbus
/usr/bin/python3 -c 'import dbus, gi' 2>/dev/null || skip "python3-dbus or python3-gi"
if [ -z "${JHAVARI_E2E_SESSION_BUS:-}" ]; then
  export JHAVARI_E2E_SESSION_BUS=1
  exec dbus-run-session -- "$0" "$@"
fi
source "$(dirname "$0")/program_under_xvfb.sh"
saver_state=$2 log=$work/service.log service=
trap 'kill "$service" "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT

# The screen saver's state ($1) after three seconds without input, since $2.
expect_saver() {
  sleep 3
  [ "$("$saver_state")" = "$1" ] || { echo "the screen saver is not $1 after $2"; exit 1; }
}
end_measuring() { xdotool keydown Escape; sleep 0.5; xdotool keyup Escape; sleep 0.5; }
expect_logged() {
  for _ in $(seq 100); do
    grep -qxF "$1" "$log" 2>/dev/null && return 0
    sleep 0.1
  done
  echo "the service was not asked: $1"; cat "$log"; exit 1
}

xset s 2 2
start_program
xdotool key F10
expect_saver off "the mode began"
end_measuring
expect_saver on "ESC"

/usr/bin/python3 - "$log" <<'PY' &
import itertools, signal, sys
import dbus, dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

DBusGMainLoop(set_as_default=True)
bus = dbus.SessionBus()
out = open(sys.argv[1], "w", buffering=1)
cookies, unanswered = itertools.count(1), []

def hold_back(question, reply, answer):
    cookie = next(cookies)
    print(question.format(cookie), file=out)
    unanswered.append((cookie, reply, answer(cookie)))

def answer():
    for cookie, reply, value in unanswered:
        reply(value)
        print("answered", cookie, file=out)
    unanswered.clear()
    return True

class ScreenSaver(dbus.service.Object):
    @dbus.service.method("org.freedesktop.ScreenSaver", "ss", "u", async_callbacks=("reply", "error"))
    def Inhibit(self, name, reason, reply, error):
        hold_back(f"Inhibit {{}} {name}: {reason}", reply, dbus.UInt32)

    @dbus.service.method("org.freedesktop.ScreenSaver", "u")
    def UnInhibit(self, cookie):
        print("UnInhibit", cookie, file=out)

class Portal(dbus.service.FallbackObject):  # its requests lie below it
    @dbus.service.method("org.freedesktop.portal.Inhibit", "sua{sv}", "o", async_callbacks=("reply", "error"))
    def Inhibit(self, window, flags, options, reply, error):
        request = lambda cookie: dbus.ObjectPath(f"/org/freedesktop/portal/desktop/request/{cookie}")
        hold_back(f"Portal inhibit {{}} flags {flags}: {options['reason']}", reply, request)

    @dbus.service.method("org.freedesktop.portal.Request", path_keyword="path")
    def Close(self, path):
        print("Close", path, file=out)

names = [dbus.service.BusName(name, bus) for name in ("org.freedesktop.ScreenSaver", "org.freedesktop.portal.Desktop")]
objects = [ScreenSaver(bus, "/org/freedesktop/ScreenSaver"), Portal(bus, "/org/freedesktop/portal/desktop")]
GLib.unix_signal_add(GLib.PRIORITY_DEFAULT, signal.SIGUSR1, answer)
print("ready", file=out)
GLib.MainLoop().run()
PY
service=$!
expect_logged ready

xdotool key F10
expect_logged "Inhibit 1 Jhavari-Training: Measuring meditation intervals"
kill -USR1 "$service"
expect_logged "answered 1"
end_measuring
expect_logged "UnInhibit 1"

xdotool key F10
expect_logged "Inhibit 2 Jhavari-Training: Measuring meditation intervals"
end_measuring
kill -USR1 "$service"
expect_logged "UnInhibit 2"

kill "$pid"; wait "$pid" 2>/dev/null || true
SNAP=/snap/jhavari-training/1 start_program
xdotool key F10
expect_logged "Portal inhibit 3 flags 8: Measuring meditation intervals"
kill -USR1 "$service"
expect_logged "answered 3"
end_measuring
expect_logged "Close /org/freedesktop/portal/desktop/request/3"

# Nothing else was asked: no second inhibition, no cookie ended twice.
sleep 0.5
cat "$log"
[ "$(grep -c '^Inhibit\|^Portal' "$log")" -eq 3 ] && [ "$(grep -c '^UnInhibit\|^Close' "$log")" -eq 3 ] ||
  { echo "the service was asked more than that"; exit 1; }
