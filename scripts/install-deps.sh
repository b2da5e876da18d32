#!/usr/bin/env bash
# Installs what building, running and testing Quillet needs on Debian 12, and nothing that is
# already there. Runs as root (as CI does) or through sudo.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkgconf         # compiler and build
  libboost-dev                          # Boost.Math (header-only): the chi-square tail
  libgtest-dev                          # tests
  libbenchmark-dev                      # benchmark program
  qt6-base-dev libgl-dev                # the window (Qt 6 Widgets)
  fonts-dejavu-core                     # a font for the offscreen Qt platform in tests
  clang libclang-rt-14-dev              # libFuzzer targets
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
