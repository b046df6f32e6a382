#!/usr/bin/env bash
# Takes docs/screenshot.png: kavelo-play in a real window on a virtual X display, with a
# hint shown (H) after a few pairs have been played by clicking the hinted tiles.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh xvfb x11-apps netpbm xdotool
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build -j "$(nproc)" --target kavelo-play

display=:97
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp &
xvfb=$!
trap 'kill $game $xvfb 2>/dev/null || true' EXIT
sleep 1
DISPLAY=$display SDL_AUDIODRIVER=dummy build/play/kavelo-play &
game=$!
export DISPLAY=$display
source scripts/window-shot.sh
shoot_game_window docs/screenshot.png 50
