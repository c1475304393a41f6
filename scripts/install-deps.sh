#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the program and the tests need,
# and only those that are missing.
set -euo pipefail
packages=(
  build-essential cmake ninja-build ccache pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-serialport-dev qt6-svg-dev
  libgl-dev fonts-dejavu-core
  xvfb xauth clang-format poppler-utils fonts-liberation
  shared-mime-info desktop-file-utils xdg-utils libfile-mimeinfo-perl
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
