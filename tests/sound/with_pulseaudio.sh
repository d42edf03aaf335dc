#!/usr/bin/env bash
# Runs a command against a private PulseAudio sound server with one null sink (see private_sound_server.sh).
set -uo pipefail
required=pulseaudio

start_server() {
  # As root PulseAudio only warns that it is not meant to run so; it still runs per user.
  pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit \
    -L module-null-sink -L module-native-protocol-unix >"$folder/server.log" 2>&1 &
  servers+=($!)
}

prepare_sink() { true; }

source "$(dirname "$0")/private_sound_server.sh"
