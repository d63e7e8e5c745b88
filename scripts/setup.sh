#!/usr/bin/env bash
# Installs what Velmora needs to build, test and run on Debian 12. Safe to run again: packages
# that are already there are left alone.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang libclang-rt-14-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  qt6-base-dev qt6-base-dev-tools libgl-dev libx11-dev libxcb1-dev
  xvfb xauth xclip x11-utils x11-xkb-utils xdotool imagemagick
  weston xwayland qt6-wayland
  fonts-dejavu-core culmus fonts-wqy-microhei
  libfribidi-bin libfribidi-dev unicode-data time python3
  libreoffice-writer-nogui chromium
  wine64 gcc-mingw-w64-x86-64
  libxtst-dev
  dpkg-dev
  lintian
  appstream
  man-db
  bsdextrautils
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
