#!/usr/bin/env bash
# The real program with real keys held down on the keyboard of an X server, whose key repeat sends a release
# and a press for every repeat: natively on X11 (Xvfb) with Orca listening through the accessibility bridge,
# or on a private weston natively on Wayland or through XWayland. While measuring, Space held for seconds
# starts one interval and held again ends it; Space and Backspace, both held, give the second interval, ended
# by uddhacca. On X11 Escape that closes the Options menu's interval filter between the two is the dialog's and
# leaves the run on (weston's kiosk shell gives the focus back to no window), and with a private PulseAudio a
# tap of F12 during the third interval plays one alarm stream, and Space pressed while it sounds is answered
# within a second. The saved document holds exactly the three intervals.
# Usage: held_keys.sh x11|wayland|xwayland PROGRAM (x11 under with_pulseaudio.sh)
set -euo pipefail
session=$1
if [ "$session" = x11 ]; then
  command -v orca >/dev/null || { echo "skipped: orca is not installed" >&2; exit 77; }
  # The sound server of with_pulseaudio.sh stays reachable after the folders change.
  export PULSE_SERVER=${PULSE_SERVER:-unix:$XDG_RUNTIME_DIR/pulse/native}
  export PULSE_COOKIE=${PULSE_COOKIE:-$XDG_CONFIG_HOME/pulse/cookie}
  if [ -z "${JHAVARI_E2E_SESSION_BUS:-}" ]; then
    export JHAVARI_E2E_SESSION_BUS=1
    exec dbus-run-session -- "$0" "$@"
  fi
  source "$(dirname "$0")/program_under_xvfb.sh"
  program=$2
  press() { xdotool "$@"; }
  unset JHAVARI_ALSA_DEVICE
  # As a blind practitioner uses it: Orca listens to the keys, so Qt's
  # accessibility bridge hands each key event to it before the program.
  export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 NO_AT_BRIDGE=0
  /usr/libexec/at-spi-bus-launcher --launch-immediately &
  sleep 0.5
  mkdir -p "$work/orca"
  # What Orca says stays in its log: the sound server hears the program's streams alone.
  PULSE_SERVER=unix:/nonexistent orca --replace -u "$work/orca" --debug-file "$work/orca.log" >/dev/null 2>&1 &
  orca_pid=$!
  trap 'kill "$pid" "$orca_pid" 2>/dev/null || true; rm -rf "$work"' EXIT
  sleep 4
  start_program
else
  seat=x11
  source "$(dirname "$0")/program_under_weston.sh"
  start_focused_program
fi
# Held longer where the screen reader's bridge reorders the repeat, which goes wrong only now and then.
held=2
[ "$session" = x11 ] && held=4
hold() { press keydown "$1"; sleep "$held"; press keyup "$1"; sleep 0.6; }

press key F10; sleep 0.6
hold space; sleep 1 # the first interval starts
hold space          # and ends
if [ "$session" = x11 ]; then
  press key alt+o; sleep 0.6; press key Return; sleep 1
  press key Escape; sleep 0.6
  xdotool windowfocus --sync "$window" # Xvfb has no window manager to give the focus back
fi
hold space          # the second starts: the run is still on
hold BackSpace      # and ends by uddhacca

if [ "$session" = x11 ]; then
  events=$work/sink-events
  pactl subscribe 2>/dev/null | while read -r line; do echo "$(date +%s.%N) $line"; done >"$events" &
  subscriber=$!
  press key space; sleep 3.5 # the third starts; its sound ends
  new_streams() { awk -v since="$1" '$1 >= since && /new. on sink-input/' "$events" | wc -l; }
  tapped=$(date +%s.%N)
  press keydown F12; sleep 0.15; press keyup F12; sleep 6
  [ "$(new_streams "$tapped")" -eq 1 ] || { echo "a tap of F12 played $(new_streams "$tapped") streams"; exit 1; }
  press keydown F12; sleep 0.15; press keyup F12; sleep 0.3
  ended=$(date +%s.%N)
  press key space # the third ends while the alarm sounds
  for _ in $(seq 30); do [ "$(new_streams "$ended")" -ge 1 ] && break; sleep 0.1; done
  answer=$(awk -v since="$ended" '$1 >= since && /new. on sink-input/ { print $1 - since; exit }' "$events")
  echo "the end of the interval sounded after ${answer:-no} seconds"
  awk -v a="${answer:-9}" 'BEGIN { exit !(a < 1) }' || { echo "the window did not answer within a second"; exit 1; }
  kill "$subscriber" 2>/dev/null || true
  grep -q "ATSPI_KEY_PRESSED_EVENT: 'space'" "$work/orca.log" || { echo "Orca heard no key"; exit 1; }
else
  press key space; sleep 1.2; press key space; sleep 0.6
fi
press key Escape; sleep 0.6

for _ in 1 2 3; do
  press key ctrl+s
  for _ in $(seq 30); do [ -s "$document" ] && break; sleep 0.1; done
  [ -s "$document" ] && break
done
csv=$("$program" --export-csv "$document")
echo "$csv"
records=$(tail -n +2 <<<"$csv")
[ "$(grep -c . <<<"$records")" -eq 3 ] || { echo "expected three intervals"; exit 1; }
grep -Eq '^[^,]+,1,1,.*,[2-6],0$' <<<"$(sed -n 1p <<<"$records")" || { echo "the first interval is wrong"; exit 1; }
grep -Eq '^[^,]+,1,2,.*,1$' <<<"$(sed -n 2p <<<"$records")" || { echo "the second interval is not uddhacca"; exit 1; }
grep -Eq '^[^,]+,1,3,.*,0$' <<<"$(sed -n 3p <<<"$records")" || { echo "the third interval is wrong"; exit 1; }
