#!/usr/bin/env bash
# Installs what building and testing need on a fresh Debian machine.
set -euo pipefail

packages=(
  cmake make g++ clang libclang-rt-dev googletest
  g++-mingw-w64-x86-64-posix mingw-w64-tools binutils-mingw-w64-x86-64
  wine wine64 xvfb xauth xdotool x11-utils imagemagick zip unzip
  fonts-wqy-microhei liblnk-utils icoutils locales
  xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "installing: ${missing[*]}"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
# With Wine's recommended packages (X extensions, fonts): the tests were
# made on such a machine.
"${sudo[@]}" apt-get install -y -q "${missing[@]}"
