#!/usr/bin/env bash
# Takes docs/screenshot.png: the main window after a worked calculation, under a virtual X
# display. Usage: tests/qt/take-screenshot.sh [build dir]   (default build/release)
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build/release}
cmake --build "$build" --target quillet_screenshot
mkdir -p docs
display=:87
Xvfb "$display" -screen 0 1280x900x24 -nolisten tcp &
xvfb_pid=$!
trap 'kill "$xvfb_pid" 2>/dev/null || true' EXIT
sleep 1
DISPLAY=$display QT_QPA_PLATFORM=xcb "$build/tests/qt/quillet_screenshot" 8 &
app_pid=$!
sleep 4
window=$(DISPLAY=$display xwininfo -root -tree | awk '/"Quillet"/ {print $1; exit}')
DISPLAY=$display import -window "${window:-root}" docs/screenshot.png
wait "$app_pid"
echo "wrote docs/screenshot.png"
