#!/usr/bin/env bash
# Installs every Debian package the build, the program and the tests need. Idempotent.
set -euo pipefail
packages=(
  cmake ninja-build g++ googletest clang libclang-rt-14-dev
  g++-mingw-w64-x86-64-posix wine64 wine xvfb xserver-xephyr x11-utils
  zlib1g-dev libz-mingw-w64-dev libjpeg62-turbo-dev
  imagemagick poppler-utils fonts-ipafont-gothic
  cups cups-bsd printer-driver-cups-pdf
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""; [ "$(id -u)" -ne 0 ] && sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
