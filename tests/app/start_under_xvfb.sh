#!/usr/bin/env bash
# The real program on a real X server: it starts with a fresh profile, paints
# its main window and ends by itself afterwards.
set -euo pipefail
program=$1
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -m 700 "$home/run"
output=$(env -u QT_QPA_PLATFORM HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_CONFIG_DIRS="$home/etc" \
  XDG_RUNTIME_DIR="$home/run" JHAVARI_EXIT_AFTER_FIRST_PAINT=1 xvfb-run -a "$program")
echo "$output"
grep -q '^first-paint rss-kb=[0-9]*$' <<<"$output"
