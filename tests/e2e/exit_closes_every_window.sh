#!/usr/bin/env bash
# The real program under Xvfb: with a diagram window, the practice summary and
# the print preview open, File > Exit ends the process; every later start then
# opens its own main window again.
# Usage: exit_closes_every_window.sh PROGRAM
set -euo pipefail
source "$(dirname "$0")/program_under_xvfb.sh"

"$program" -register
start_program
# The training types have the focus first; Tab leads on to the first diagram button.
xdotool key Tab space
wait_for_window "Maximum" >/dev/null
xdotool windowfocus --sync "$window"
xdotool key alt+v Down Return
wait_for_window "Practice summary" >/dev/null
xdotool windowfocus --sync "$window"
xdotool key ctrl+p
preview=$(wait_for_window "Druckvorschau|Print Preview")
xdotool windowfocus --sync "$window"
xdotool key alt+f e

for _ in $(seq 50); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
  echo "the process is still running after Exit" >&2
  exit 1
fi
wait "$pid" || { echo "the program ended with status $?" >&2; exit 1; }
pid=
[ -n "$preview" ]

# No ghost holds the single-instance lock: the next start shows its window.
start_program
