#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need,
# only those that are missing.
set -euo pipefail

packages=(
  build-essential cmake pkg-config clang-format
  qt6-base-dev qt6-charts-dev libqt6opengl6-dev qt6-translations-l10n
  libasound2-dev libsndfile1-dev libfontconfig-dev
  pulseaudio pulseaudio-utils libasound2-plugins pipewire wireplumber pipewire-pulse
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth xdotool x11-xserver-utils fonts-liberation poppler-utils tzdata
  libxcb1-dev libxcb-screensaver0-dev libwayland-dev wayland-protocols qt6-base-private-dev
  qt6-svg-dev
  desktop-file-utils appstream shared-mime-info xdg-utils file dpkg-dev
  python3-pyatspi at-spi2-core dbus orca python3-dbus python3-gi
  weston xwayland qt6-wayland
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages. Install them with:" >&2
  echo "  sudo apt-get install -y --no-install-recommends ${missing[*]}" >&2
  exit 1
fi
echo "Installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q --no-install-recommends "${missing[@]}"
