# Sourced by the Wayland end-to-end scripts, which take the session type (wayland: Qt's Wayland platform;
# xwayland: Qt's xcb platform on the compositor's XWayland) and the program. The caller sets $compositor_input:
# "none" runs a private headless weston, which has no seat; "x11" runs weston's X11 back end in a private Xvfb,
# whose pointer and keyboard (driven with xdotool on $input_display) become the compositor's seat. Gives a
# private home, runtime folder and session bus, and an empty document ($document); start_program starts the
# program ($pid). The Wayland protocol traffic of the program, or of XWayland on its behalf, is logged to
# $protocol_log. Exit status 77 (skipped) when a package the session needs is missing.

session=$1
program=$2
skip() { echo "skipped: $1" >&2; exit 77; }
command -v weston >/dev/null || skip "weston is not installed"
if [ "$session" = xwayland ]; then
  command -v Xwayland >/dev/null || skip "xwayland is not installed"
else
  compgen -G "/usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so" >/dev/null || skip "qt6-wayland is not installed"
fi

if [ -z "${JHAVARI_E2E_IN_SESSION:-}" ]; then
  export JHAVARI_E2E_IN_SESSION=1
  if [ "$compositor_input" = x11 ]; then
    exec xvfb-run -a -s "-screen 0 1024x768x24" dbus-run-session -- "$0" "$@"
  fi
  exec dbus-run-session -- "$0" "$@"
fi

work=$(mktemp -d)
pid=
compositor=
helpers=()
stop_all() {
  local process
  for process in $pid "${helpers[@]}" $compositor; do
    kill "$process" 2>/dev/null && wait "$process" 2>/dev/null
  done
  rm -rf "$work"
}
trap stop_all EXIT

input_display=${DISPLAY:-}
unset QT_QPA_PLATFORM WAYLAND_DISPLAY WAYLAND_SOCKET DISPLAY
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_CONFIG_DIRS=$work/system-config
export XDG_DATA_HOME=$work/data XDG_RUNTIME_DIR=$work/run JHAVARI_ALSA_DEVICE=null
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
document=$work/practice.con
: > "$document"

# The kiosk shell shows the window over the whole output: the form lies at its top left, under the menu bar.
options=(--shell=kiosk-shell.so --socket=jhavari --idle-time=0 --width=1024 --height=600)
[ "$compositor_input" = x11 ] && options+=(--backend=x11-backend.so --use-pixman) || options+=(--backend=headless-backend.so)
protocol_log=$work/protocol.log
weston_debug=
if [ "$session" = xwayland ]; then
  options+=(--xwayland)
  # XWayland is the compositor's client: its traffic goes to the compositor's log.
  protocol_log=$work/weston.log weston_debug=client
fi
DISPLAY=$input_display WAYLAND_DEBUG=$weston_debug weston "${options[@]}" >"$work/weston.log" 2>&1 &
compositor=$!
for _ in $(seq 100); do
  [ -S "$XDG_RUNTIME_DIR/jhavari" ] && break
  kill -0 "$compositor" 2>/dev/null || { cat "$work/weston.log" >&2; exit 1; }
  sleep 0.1
done
[ -S "$XDG_RUNTIME_DIR/jhavari" ] || { echo "weston did not start" >&2; exit 1; }

if [ "$session" = xwayland ]; then
  for _ in $(seq 50); do
    DISPLAY=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$work/weston.log")
    [ -n "$DISPLAY" ] && break
    sleep 0.1
  done
  [ -n "$DISPLAY" ] || { echo "weston started no XWayland" >&2; exit 1; }
  export DISPLAY QT_QPA_PLATFORM=xcb
else
  export WAYLAND_DISPLAY=jhavari QT_QPA_PLATFORM=wayland
fi

start_program() {
  WAYLAND_DEBUG=client "$program" "$document" 2>"$work/protocol.log" &
  pid=$!
}

# Waits at most ten seconds for the program to end; fails unless it ended with status 0.
expect_clean_end() {
  for _ in $(seq 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$pid" 2>/dev/null && { echo "the program did not end"; exit 1; }
  local status=0
  wait "$pid" || status=$?
  pid=
  [ "$status" -eq 0 ] || { echo "the program ended with status $status"; exit 1; }
}

# The requests and events of the pointer confinements made for the program.
confinement_traffic() {
  grep -E 'zwp_pointer_constraints_v1@[0-9]+\.confine_pointer|zwp_confined_pointer_v1@[0-9]+\.' "$protocol_log" || true
}
