# Sourced by the end-to-end scripts, which take the program as their one argument: runs the calling
# script again under Xvfb, gives it a private home and an empty document ($document), and stops the
# program started last ($pid) with $stop_signal (TERM unless the caller sets it) when the script ends.

# -noreset: a server that resets when its last client (a killed program) goes refuses the next start.
# A display number from a random start: the server of the test before may still be ending on the first free one.
if [ -z "${JHAVARI_E2E_IN_XVFB:-}" ]; then
  export JHAVARI_E2E_IN_XVFB=1
  exec xvfb-run -a -n $((100 + RANDOM % 800)) -s "-screen 0 1024x768x24 -noreset" "$0" "$@"
fi

program=$1
work=$(mktemp -d)
pid=
trap 'kill -"${stop_signal:-TERM}" "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT

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

# Starts the program on the document and waits for its main window, focused, with the pointer over the
# interval list (the middle of the right half); sets pid, window and the window's X, Y, WIDTH and HEIGHT.
start_program() {
  "$program" "$document" &
  pid=$!
  window=$(wait_for_window "practice.con - Jhavari-Training")
  xdotool windowfocus --sync "$window"
  eval "$(xdotool getwindowgeometry --shell "$window")"
  xdotool mousemove $((X + WIDTH * 3 / 4)) $((Y + HEIGHT / 2))
}

# Ctrl+S, then waits until the document, empty before, holds the saved bytes.
save_document() {
  xdotool key ctrl+s
  for _ in $(seq 100); do
    [ -s "$document" ] && return 0
    sleep 0.1
  done
  echo "Ctrl+S did not save the document" >&2
  exit 1
}
