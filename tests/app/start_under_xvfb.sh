#!/usr/bin/env bash
# The real program on a real X server: it starts with a fresh profile, paints
# its main window and ends by itself afterwards.
set -euo pipefail
program=$1
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -m 700 "$home/run"
# A display number from a random start: the server of the test before may still be ending on the first free one.
output=$(env -u QT_QPA_PLATFORM HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_CONFIG_DIRS="$home/etc" \
  XDG_RUNTIME_DIR="$home/run" JHAVARI_EXIT_AFTER_FIRST_PAINT=1 xvfb-run -a -n $((100 + RANDOM % 800)) "$program")
echo "$output"
grep -q '^first-paint rss-kb=[0-9]*$' <<<"$output"
