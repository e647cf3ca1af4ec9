#!/bin/sh
# Installs the Debian packages that building, playing and testing Zellipo need,
# then configures and builds the game under build/. Safe to run again: apt-get
# only installs what is missing and the build is incremental.
set -eu

PACKAGES="
  build-essential cmake ninja-build pkg-config python3
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-image-formats-plugins libgl-dev
  libfontconfig-dev
  qt6-tools-dev qt6-l10n-tools
  libsdl2-mixer-dev libfluidsynth-dev timgm6mb-soundfont
  fonts-arphic-uming fonts-liberation2
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth xdotool x11-utils twm openbox imagemagick clang-format
  clang libclang-rt-14-dev
  desktop-file-utils appstream dpkg-dev
  mutter dbus-daemon xwayland qt6-wayland
"

missing=""
for p in $PACKAGES; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $p"
  fi
done

if [ -n "$missing" ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "Missing Debian packages:$missing" >&2
    echo "Run this script as root, or install them with apt-get." >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  # shellcheck disable=SC2086
  apt-get install -y -qq --no-install-recommends $missing
fi
