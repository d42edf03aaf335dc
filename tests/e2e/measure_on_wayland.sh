#!/usr/bin/env bash
# The real program on a private weston whose seat is driven from outside, natively on Wayland or through
# XWayland: F10, a left press aimed at the menu bar, a left press aimed beside the form and below it at the
# status bar, ESC, Ctrl+S, then File > Exit. The compositor must have held the pointer in the form (asked
# for, acknowledged where the program listens, and ended with the mode), so that both presses counted: the
# saved file holds one interval. The program ends by itself with status 0.
# Usage: measure_on_wayland.sh wayland|xwayland PROGRAM
set -euo pipefail
compositor_input=x11
source "$(dirname "$0")/program_under_weston.sh"

press() { DISPLAY=$input_display xdotool "$@"; }

start_program
sleep 3
press mousemove 700 300 click 1; sleep 0.4   # the window gets the focus
press key F10; sleep 0.6
press mousemove 20 2; sleep 0.2
press click 1; sleep 1.2                       # the interval starts
press mousemove 1015 598; sleep 0.2
press click 1; sleep 0.4                       # and ends
press keydown Escape; sleep 0.5; press keyup Escape; sleep 0.4
press key ctrl+s; sleep 1
press key alt+f; sleep 0.5; press key e
expect_clean_end

traffic=$(confinement_traffic)
echo "$traffic"
echo "$traffic" | grep -q 'confine_pointer(' || { echo "no confinement was asked for"; exit 1; }
# XWayland listens to no confinement events; the program does.
if [ "$session" = wayland ]; then
  echo "$traffic" | grep -q '\.confined()' || { echo "the compositor did not hold the pointer"; exit 1; }
fi
echo "$traffic" | grep -q '\.destroy()' || { echo "the confinement was not ended"; exit 1; }

csv=$("$program" --export-csv "$document")
echo "$csv"
records=$(echo "$csv" | tail -n +2)
[ "$(echo "$records" | grep -c .)" -eq 1 ] || { echo "expected one interval"; exit 1; }
echo "$records" | grep -Eq '^Apana Jhavari \(Samatha Bhavana\),1,1,.*,0$' || { echo "the interval is wrong"; exit 1; }
