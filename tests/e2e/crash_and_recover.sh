#!/usr/bin/env bash
# The real program under Xvfb: two intervals measured into a document and a
# third running for twenty seconds when the program is killed with SIGKILL
# before any save, then started again on the same document; Return answers
# the recovery question, Ctrl+S saves, and the file must hold all three, the
# third cut off at its last sign of life and counted as uddhacca.
# Usage: crash_and_recover.sh PROGRAM
set -euo pipefail
stop_signal=KILL
source "$(dirname "$0")/program_under_xvfb.sh"

start_program
xdotool key F10; sleep 0.6
xdotool click 1; sleep 1.2   # interval 1 starts
xdotool click 1; sleep 0.4   # and ends
xdotool click 1; sleep 1.2   # interval 2 starts
xdotool click 3; sleep 0.4   # and ends in uddhacca
xdotool click 1; sleep 20    # interval 3 runs
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
save_document
kill "$pid"; wait "$pid" 2>/dev/null || true
pid=

json=$("$program" --export-json "$document")
echo "$json"
echo "$json" | python3 -c '
import json, sys
records = [r for t in json.load(sys.stdin)["training_types"] for r in t["intervals"]]
assert len(records) == 3, f"expected three intervals, found {len(records)}"
assert [r["run"] for r in records] == [1, 2, 3], records
assert [r["uddhacca"] for r in records] == [False, True, True], records
lasted = records[2]["end"] - records[2]["start"]
assert 14 <= lasted <= 20, f"the running interval came back with {lasted} seconds"
'
leftover=$(find "$XDG_DATA_HOME" -name '*.journal')
[ -z "$leftover" ] || { echo "a journal is left after the save: $leftover"; exit 1; }
