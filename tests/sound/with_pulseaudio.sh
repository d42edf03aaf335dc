#!/usr/bin/env bash
# Runs a command against a private PulseAudio sound server with one null sink,
# so that ALSA's "default" PCM and control devices reach it through the
# PulseAudio plug-in of libasound2-plugins, as on a desktop. The server lives
# in a temporary folder (its own HOME and XDG_RUNTIME_DIR) and ends with the command.
# Exit status 77 (skipped) when PulseAudio or the ALSA plug-in is not installed.
set -uo pipefail

if ! command -v pulseaudio >/dev/null || ! command -v pactl >/dev/null \
  || ! compgen -G "/usr/lib/*/alsa-lib/libasound_module_ctl_pulse.so" >/dev/null; then
  echo "with_pulseaudio: pulseaudio, pulseaudio-utils or libasound2-plugins missing" >&2
  exit 77
fi

folder=$(mktemp -d "${TMPDIR:-/tmp}/jhavari-pulse.XXXXXX")
export HOME="$folder/home" XDG_RUNTIME_DIR="$folder/runtime" XDG_CONFIG_HOME="$folder/home/.config"
unset PULSE_SERVER PULSE_SINK ALSA_CONFIG_PATH
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
# The client must never start a second server of its own.
mkdir -p "$XDG_CONFIG_HOME/pulse"
echo "autospawn = no" >"$XDG_CONFIG_HOME/pulse/client.conf"

# As root PulseAudio only warns that it is not meant to run so; it still runs per user.
pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit \
  -L module-null-sink -L module-native-protocol-unix >"$folder/server.log" 2>&1 &
server=$!

stop_server() {
  kill "$server" 2>/dev/null
  wait "$server" 2>/dev/null
  rm -rf "$folder"
}
trap stop_server EXIT

for _ in $(seq 100); do
  pactl info >/dev/null 2>&1 && break
  if ! kill -0 "$server" 2>/dev/null; then
    echo "with_pulseaudio: the sound server did not start:" >&2
    cat "$folder/server.log" >&2
    exit 1
  fi
  sleep 0.1
done
if ! pactl info >/dev/null 2>&1; then
  echo "with_pulseaudio: the sound server does not answer" >&2
  exit 1
fi

# Tests that change the volume run only here, never against a desktop's own server.
export JHAVARI_PRIVATE_SOUND_SERVER=1
"$@"
