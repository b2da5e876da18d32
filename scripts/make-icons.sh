#!/usr/bin/env bash
# Renders the program icon's larger sizes from resources/quillet.svg and packs the Windows .ico
# and the macOS .icns. The results are committed, so building needs none of these tools; run
# this again after changing the SVG or the hand-drawn 16 and 32 pixel images.
#
#   bash scripts/make-icons.sh
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh icons

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

render() {  # size output
  rsvg-convert --width "$1" --height "$1" resources/quillet.svg --output "$2"
}

# Sizes the desktop icon theme, the .ico and the .icns take. 16 and 32 are drawn by hand for
# their pixel grid; the others scale the SVG.
for size in 48 128 256; do
  render "$size" "resources/quillet-$size.png"
done
render 512 "$scratch/quillet-512.png"

# Windows: 16, 32 and 48 as bitmaps, 256 as PNG (the form Windows expects for that size).
icotool --create --output resources/quillet.ico \
  resources/quillet-16.png resources/quillet-32.png resources/quillet-48.png \
  --raw=resources/quillet-256.png

# macOS: Finder and the Dock pick the size they need.
png2icns resources/quillet.icns \
  resources/quillet-16.png resources/quillet-32.png resources/quillet-48.png \
  resources/quillet-128.png resources/quillet-256.png "$scratch/quillet-512.png" >/dev/null

icotool --list resources/quillet.ico
icns2png --list resources/quillet.icns
