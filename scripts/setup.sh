#!/usr/bin/env bash
# Installs every Debian package that building, running and testing the game need.
# Quick when everything is present; works as root or through sudo.
set -euo pipefail

packages=(
  build-essential cmake pkg-config clang clang-format clang-tidy libclang-rt-14-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libsfml-dev libopenal-dev libgl1-mesa-dri libsystemd-dev sox
  xvfb xauth xdotool libxtst-dev libx11-dev libxrandr-dev x11-utils x11-xserver-utils imagemagick openbox weston xwayland
  dbus python3-dbusmock
  fonts-liberation fonts-crosextra-caladea fonts-tlwg-loma-ttf fonts-comic-neue fonts-leckerli-one
  dpkg-dev fakeroot file lintian desktop-file-utils appstream
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
