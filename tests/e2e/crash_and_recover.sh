#!/usr/bin/env bash
# The real program under Xvfb: two intervals measured into a document, the
# program killed with SIGKILL before any save, started again on the same
# document; Return answers the recovery question, Ctrl+S saves, and the file
# must hold both intervals.
# Usage: crash_and_recover.sh PROGRAM
set -euo pipefail
program=$1
work=$(mktemp -d)
trap 'kill -9 "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
pid=

if [ -z "${JHAVARI_E2E_IN_XVFB:-}" ]; then
  export JHAVARI_E2E_IN_XVFB=1
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

unset QT_QPA_PLATFORM
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_CONFIG_DIRS=$work/system-config
export XDG_DATA_HOME=$work/data XDG_RUNTIME_DIR=$work/run JHAVARI_ALSA_DEVICE=null
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
document=$work/practice.con
: > "$document"

# The first visible window whose whole title is $1.
wait_for_window() {
  local found=
  for _ in $(seq 80); do
    found=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1 || true)
    [ -n "$found" ] && break
    sleep 0.1
  done
  [ -n "$found" ] || { echo "no window \"$1\" appeared" >&2; exit 1; }
  echo "$found"
}

"$program" "$document" &
pid=$!
window=$(wait_for_window "practice.con - Jhavari-Training")
xdotool windowfocus --sync "$window"
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove $((X + WIDTH * 3 / 4)) $((Y + HEIGHT / 2))
xdotool key F10; sleep 0.6
xdotool click 1; sleep 1.2   # interval 1 starts
xdotool click 1; sleep 0.4   # and ends
xdotool click 1; sleep 1.2   # interval 2 starts
xdotool click 3; sleep 0.4   # and ends in uddhacca
kill -9 "$pid"; wait "$pid" 2>/dev/null || true
ls -l "$XDG_DATA_HOME"/*/journal/
[ "$(stat -c %s "$document")" -eq 0 ] || { echo "the document was written before the save"; exit 1; }

"$program" "$document" &
pid=$!
question=$(wait_for_window "Jhavari-Training")
xdotool windowfocus --sync "$question"
sleep 0.3
xdotool key Return
window=$(wait_for_window "practice.con - Jhavari-Training")
xdotool windowfocus --sync "$window"
sleep 0.3
xdotool key ctrl+s; sleep 1
kill "$pid"; wait "$pid" 2>/dev/null || true
pid=

json=$("$program" --export-json "$document")
echo "$json"
echo "$json" | python3 -c '
import json, sys
records = [r for t in json.load(sys.stdin)["training_types"] for r in t["intervals"]]
assert len(records) == 2, f"expected two intervals, found {len(records)}"
assert [r["run"] for r in records] == [1, 2] and [r["uddhacca"] for r in records] == [False, True], records
'
leftover=$(find "$XDG_DATA_HOME" -name '*.journal')
[ -z "$leftover" ] || { echo "a journal is left after the save: $leftover"; exit 1; }
