#!/usr/bin/env bash
# The real program on a private weston with a seat, natively on Wayland or through XWayland: F10, left presses
# aimed at the menu bar and beside the form at the status bar, ESC, Ctrl+S, File > Exit. The compositor held the
# pointer in the form (asked, acknowledged where the program listens, ended with the mode), so both presses
# counted: the file holds one interval. The program ends by itself with status 0.
# Usage: measure_on_wayland.sh wayland|xwayland PROGRAM
set -euo pipefail
seat=x11
source "$(dirname "$0")/program_under_weston.sh"

start_focused_program
press key F10; sleep 0.6
press mousemove 20 2 click 1; sleep 1.2       # the interval starts
press mousemove 1015 598 click 1; sleep 0.4   # and ends
press keydown Escape; sleep 0.5; press keyup Escape; sleep 0.4
# The document was empty: it has bytes once saved.
for _ in 1 2 3; do
  press key ctrl+s
  for _ in $(seq 30); do [ -s "$document" ] && break; sleep 0.1; done
  [ -s "$document" ] && break
done
# A busy machine may open the menu only after the E was typed: then Escape closes it and File > Exit comes again.
for _ in 1 2 3; do
  press key alt+f; sleep 1; press key e
  for _ in $(seq 30); do kill -0 "$pid" 2>/dev/null && sleep 0.1; done
  kill -0 "$pid" 2>/dev/null || break
  press key Escape; sleep 0.5
done
expect_clean_end

traffic=$(grep -E 'confine_pointer\(|zwp_confined_pointer_v1@[0-9]+\.' "$protocol_log")
echo "$traffic"
grep -q 'confine_pointer(' <<<"$traffic" || { echo "no confinement asked for"; exit 1; }
grep -q '\.destroy()' <<<"$traffic" || { echo "the confinement did not end"; exit 1; }
# XWayland listens to no confinement events; the program does.
[ "$session" = xwayland ] || grep -q '\.confined()' <<<"$traffic" || { echo "the pointer was not held"; exit 1; }

csv=$("$program" --export-csv "$document")
echo "$csv"
[ "$(tail -n +2 <<<"$csv" | grep -c .)" -eq 1 ] || { echo "expected one interval"; exit 1; }
grep -Eq '^Apana Jhavari \(Samatha Bhavana\),1,1,.*,0$' <<<"$csv" || { echo "the interval is wrong"; exit 1; }
