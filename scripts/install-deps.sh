#!/usr/bin/env bash
# Installs what building, running and testing Quillet needs on Debian 12, and nothing that is
# already there. Runs as root (as CI does) or through sudo.
#
#   scripts/install-deps.sh          what the run and test commands need
#   scripts/install-deps.sh web      what building the page needs (the test command's `web`
#                                    stage and `scripts/quillet.sh web` ask for it)
#   scripts/install-deps.sh icons    also the tools scripts/make-icons.sh renders the icons with
set -euo pipefail

packages=(
  g++ cmake ninja-build pkgconf         # compiler and build
  libboost-dev                          # Boost.Math (header-only): the chi-square tail
  libcli11-dev                          # quillet-lrt's options (header-only)
  libfast-float-dev                     # reading decimals (header-only)
  libgtest-dev                          # tests
  libbenchmark-dev                      # benchmark program
  qt6-base-dev libgl-dev                # the window (Qt 6 Widgets)
  fonts-dejavu-core                     # a font for the offscreen Qt platform in tests
  clang libclang-rt-14-dev              # libFuzzer targets
  dpkg-dev file                         # the Debian package: dpkg-shlibdeps finds its dependencies
  desktop-file-utils appstream          # validating the desktop entry and the AppStream metadata
  g++-mingw-w64-x86-64-posix wine64     # the Windows core: cross-compiled, tested under Wine
  googletest                            # GoogleTest's source, which the cross build compiles
)
for group in "$@"; do
  case "$group" in
    icons) packages+=(librsvg2-bin icoutils icnsutils) ;;
    # The page: Emscripten compiles the core to WebAssembly; its tests drive Debian's Chromium
    # with Playwright (playwright-core from npm, pinned in web/package-lock.json), and need
    # Node.js 20 or later with npm (Debian 12's nodejs is 18; a newer one, from nodesource say,
    # is kept when it is there).
    web)
      packages+=(emscripten chromium)
      command -v node >/dev/null && command -v npm >/dev/null || packages+=(nodejs npm)
      ;;
    *) echo "install-deps: unknown group $group" >&2; exit 2 ;;
  esac
done

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
