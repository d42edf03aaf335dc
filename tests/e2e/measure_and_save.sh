#!/usr/bin/env bash
# The real program under Xvfb with real mouse and keys: F10, three left
# presses (two of them aimed at the menu bar and the status bar), a right
# press, ESC, Ctrl+S; the saved file must hold one new
# measurement of two intervals, the second ended by uddhacca.
# Usage: measure_and_save.sh PROGRAM
set -euo pipefail
source "$(dirname "$0")/program_under_xvfb.sh"

start_program
xdotool key F10; sleep 0.6
# While measuring the pointer cannot reach the menu bar or the status bar:
# presses aimed at them land on the form's edge and count.
xdotool mousemove $((X + 20)) $((Y + 2)); sleep 0.2
xdotool click 1; sleep 1.2   # interval 1 starts
xdotool mousemove $((X + 20)) $((Y + HEIGHT - 2)); sleep 0.2
xdotool click 1; sleep 0.6   # and ends
xdotool mousemove $((X + WIDTH * 3 / 4)) $((Y + HEIGHT / 2))
xdotool click 1; sleep 1.2   # interval 2 starts
xdotool click 3; sleep 0.6   # and ends in uddhacca
xdotool keydown Escape; sleep 0.5; xdotool keyup Escape; sleep 0.4
save_document

kill "$pid"; wait "$pid" 2>/dev/null || true
pid=

csv=$("$program" --export-csv "$document")
echo "$csv"
records=$(echo "$csv" | tail -n +2)
[ "$(echo "$records" | wc -l)" -eq 2 ] || { echo "expected two intervals"; exit 1; }
echo "$records" | sed -n 1p | grep -Eq '^Apana Jhavari \(Samatha Bhavana\),1,1,.*,0$' || { echo "first interval wrong"; exit 1; }
echo "$records" | sed -n 2p | grep -Eq '^Apana Jhavari \(Samatha Bhavana\),1,2,.*,1$' || { echo "second interval not uddhacca"; exit 1; }
