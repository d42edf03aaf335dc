#!/usr/bin/env bash
# Runs a command against a private PipeWire with its session manager and its PulseAudio service, on a
# private session bus, with one null sink as the default (see private_sound_server.sh).
set -uo pipefail
required="pipewire wireplumber pipewire-pulse dbus-run-session"

if [ -z "${JHAVARI_SOUND_SESSION_BUS:-}" ] && command -v dbus-run-session >/dev/null; then
  export JHAVARI_SOUND_SESSION_BUS=1
  exec dbus-run-session -- "$0" "$@"
fi

start_server() {
  pipewire >"$folder/pipewire.log" 2>&1 &
  servers+=($!)
  # Its services give up when they find no server to connect to.
  for _ in $(seq 300); do
    [ -S "$XDG_RUNTIME_DIR/pipewire-0" ] && break
    sleep 0.1
  done
  wireplumber >"$folder/wireplumber.log" 2>&1 &
  servers+=($!)
  pipewire-pulse >"$folder/pipewire-pulse.log" 2>&1 &
  servers+=($!)
}

# The session manager may pick its own default at first; it keeps the one chosen here. Until it has
# started (seconds on a busy machine), the server refuses a default sink as "Not supported".
prepare_sink() {
  pactl load-module module-null-sink sink_name=jhavari_null >/dev/null || return 1
  for _ in $(seq 300); do
    pactl set-default-sink jhavari_null 2>/dev/null
    [ "$(pactl get-default-sink)" = jhavari_null ] && return 0
    sleep 0.1
  done
  return 1
}

source "$(dirname "$0")/private_sound_server.sh"
