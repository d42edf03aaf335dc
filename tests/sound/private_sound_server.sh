# Sourced by with_pulseaudio.sh and with_pipewire.sh after they named the programs their server needs
# ($required) and defined start_server, which starts its processes in the background (adding their ids to
# $servers) and, once the server answers, prepare_sink, which makes a null sink the default. The server
# lives in a temporary folder (its own HOME and XDG_RUNTIME_DIR) and ends with the command; ALSA's "default"
# PCM and control devices reach it through the PulseAudio plug-in of libasound2-plugins, as on a desktop.
# Exit status 77 (skipped) when a package is missing.

missing=()
for tool in $required pactl; do
  command -v "$tool" >/dev/null || missing+=("$tool")
done
compgen -G "/usr/lib/*/alsa-lib/libasound_module_ctl_pulse.so" >/dev/null || missing+=(libasound2-plugins)
if [ ${#missing[@]} -gt 0 ]; then
  echo "$(basename "$0"): skipped, missing ${missing[*]}" >&2
  exit 77
fi

folder=$(mktemp -d "${TMPDIR:-/tmp}/jhavari-sound.XXXXXX")
export HOME="$folder/home" XDG_RUNTIME_DIR="$folder/runtime" XDG_CONFIG_HOME="$folder/home/.config"
unset PULSE_SERVER PULSE_SINK ALSA_CONFIG_PATH PIPEWIRE_REMOTE
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME/pulse"
chmod 700 "$XDG_RUNTIME_DIR"
# The client must never start a second server of its own.
echo "autospawn = no" >"$XDG_CONFIG_HOME/pulse/client.conf"

servers=()
# Last started, first stopped: the services before the server they serve.
stop_server() {
  local index
  for ((index = ${#servers[@]} - 1; index >= 0; index--)); do
    kill "${servers[index]}" 2>/dev/null
    wait "${servers[index]}" 2>/dev/null
  done
  rm -rf "$folder"
}
trap stop_server EXIT

start_server
for _ in $(seq 300); do
  pactl info >/dev/null 2>&1 && break
  for process in "${servers[@]}"; do
    if ! kill -0 "$process" 2>/dev/null; then
      echo "$(basename "$0"): the sound server did not start:" >&2
      cat "$folder"/*.log >&2
      exit 1
    fi
  done
  sleep 0.1
done
if ! pactl info >/dev/null 2>&1 || ! prepare_sink; then
  echo "$(basename "$0"): the sound server does not answer:" >&2
  cat "$folder"/*.log >&2
  exit 1
fi

# Tests that change the volume run only here, never against a desktop's own server.
export JHAVARI_PRIVATE_SOUND_SERVER=1
"$@"
