#!/usr/bin/env bash
# Installs the Debian packages the project needs to build, test and run.
set -euo pipefail
packages=(cmake ninja-build g++ pkg-config qt6-base-dev libqt6sql6-sqlite libshp-dev
          mdbtools-dev libmdb3 libgdal-dev qt6-translations-l10n qt6-svg-dev
          fonts-liberation2 xvfb xauth imagemagick poppler-utils unzip
          openbox xdotool x11-utils # window-check.sh: a real window manager
          dpkg-dev) # dpkg-dev: dpkg-shlibdeps for the package's dependencies
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update -q
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q "${missing[@]}"
fi
