#!/usr/bin/env bash
# Takes docs/screenshot.png: the main window after a worked calculation, drawn on a virtual X
# display so that it has the look of a real desktop. Usage:
#   tests/qt/take-screenshot.sh [build dir] [picture]   (default build/release docs/screenshot.png)
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build/release}
picture=${2:-docs/screenshot.png}
cmake --build "$build" --target quillet_screenshot
mkdir -p "$(dirname "$picture")"
xvfb-run -a -s "-screen 0 1280x900x24 -nolisten tcp" env QT_QPA_PLATFORM=xcb \
  "$build/tests/qt/quillet_screenshot" "$picture"
echo "wrote $picture"
