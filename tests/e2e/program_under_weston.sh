# Sourced by the Wayland end-to-end scripts, which take the session (wayland: Qt's Wayland platform; xwayland:
# Qt's xcb platform on weston's XWayland) and the program, and set $seat: "none" for a headless weston, "x11"
# for weston's X11 back end in a private Xvfb ($input_display), whose pointer and keyboard, driven with
# xdotool (press), are the compositor's seat. Gives a private home, runtime folder and session bus, an empty document
# ($document) and start_program ($pid). The Wayland traffic of the program, or of XWayland for it, is logged
# to $protocol_log. Exit status 77 (skipped) when a package the session needs is missing.
session=$1 program=$2
skip() { echo "skipped: $1 is not installed" >&2; exit 77; }
command -v weston >/dev/null || skip weston
[ "$session" = wayland ] || command -v Xwayland >/dev/null || skip xwayland
[ "$session" = xwayland ] || compgen -G "/usr/lib/*/qt6/plugins/platforms/libqwayland-*.so" >/dev/null || skip qt6-wayland

# A display number from a random start: the server of the test before may still be ending on the first free one.
if [ -z "${JHAVARI_E2E_IN_SESSION:-}" ]; then
  export JHAVARI_E2E_IN_SESSION=1
  [ "$seat" = x11 ] && exec xvfb-run -a -n $((100 + RANDOM % 800)) -s "-screen 0 1024x768x24 -noreset" dbus-run-session -- "$0" "$@"
  exec dbus-run-session -- "$0" "$@"
fi

work=$(mktemp -d) pid= helpers=()
# The program and the compositor get a few seconds to end on TERM, then are killed: a compositor left behind
# when its X server goes spins for ever.
stop_all() {
  local processes=($pid "${helpers[@]}")
  if [ ${#processes[@]} -gt 0 ]; then
    kill "${processes[@]}" 2>/dev/null || true
    for _ in $(seq 50); do
      kill -0 "${processes[@]}" 2>/dev/null || break
      sleep 0.1
    done
    kill -KILL "${processes[@]}" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap stop_all EXIT
input_display=${DISPLAY:-}
unset QT_QPA_PLATFORM WAYLAND_DISPLAY WAYLAND_SOCKET DISPLAY
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_CONFIG_DIRS=$work/system-config
export XDG_DATA_HOME=$work/data XDG_RUNTIME_DIR=$work/run JHAVARI_ALSA_DEVICE=null
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
document=$work/practice.con
: >"$document"

# The kiosk shell shows the window over the whole output: the form at its top left, under the menu bar.
options=(--shell=kiosk-shell.so --socket=jhavari --idle-time=0 --width=1024 --height=600)
[ "$seat" = x11 ] && options+=(--backend=x11-backend.so --use-pixman) || options+=(--backend=headless-backend.so)
protocol_log=$work/protocol.log weston_debug=
# XWayland is weston's client: its traffic goes to weston's log.
[ "$session" = xwayland ] && options+=(--xwayland) protocol_log=$work/weston.log weston_debug=client
DISPLAY=$input_display WAYLAND_DEBUG=$weston_debug weston "${options[@]}" >"$work/weston.log" 2>&1 &
helpers+=($!)
for _ in $(seq 100); do
  [ "$session" = xwayland ] && DISPLAY=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$work/weston.log")
  [ -S "$XDG_RUNTIME_DIR/jhavari" ] && [ "$session" = wayland -o -n "${DISPLAY:-}" ] && break
  sleep 0.1
done
[ -S "$XDG_RUNTIME_DIR/jhavari" ] || { cat "$work/weston.log"; exit 1; }
if [ "$session" = xwayland ]; then
  export DISPLAY QT_QPA_PLATFORM=xcb
else
  export WAYLAND_DISPLAY=jhavari QT_QPA_PLATFORM=wayland
fi

start_program() {
  WAYLAND_DEBUG=client "$program" "$document" 2>"$work/protocol.log" &
  pid=$!
}

# With seat x11: xdotool on the seat's keyboard and pointer, and the program started with its window focused by
# a press aimed beside the form's controls.
press() { DISPLAY=$input_display xdotool "$@"; }
start_focused_program() {
  start_program
  sleep 3
  press mousemove 700 300 click 1
  sleep 0.4
}

# The program must end by itself within twenty seconds (a busy machine is slow), with status 0.
expect_clean_end() {
  for _ in $(seq 200); do kill -0 "$pid" 2>/dev/null && sleep 0.1; done
  local status=0
  if kill -0 "$pid" 2>/dev/null; then
    echo "the program did not end; the last of its Wayland traffic:"
    tail -n 40 "$protocol_log"
    exit 1
  fi
  wait "$pid" || status=$?
  pid=
  [ "$status" -eq 0 ] || { echo "the program ended with status $status"; exit 1; }
}
