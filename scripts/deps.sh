#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing MunchTrail and KELV need,
# only when some are missing. Run as root or with sudo on Debian 12.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config git
  libsdl2-dev qt6-base-dev qt6-base-dev-tools
  libgtest-dev libgmock-dev libbenchmark-dev
  libcairo2-dev fonts-dejavu-core
  clang libclang-rt-14-dev clang-format
  xvfb xauth xdotool imagemagick x11-utils
  desktop-file-utils libxml2-utils shared-mime-info appstream man-db lintian dpkg-dev file
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
