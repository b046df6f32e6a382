#!/usr/bin/env bash
# Takes docs/screenshot-styles.png: kavelo-play's two styles side by side, the standard one
# on the left and the contrast one (--style contrast) on the right, each a real window on a
# virtual X display with its pictures drawn at start-up for 40-pixel cells, a tile selected
# and a hint shown. The players' records go to a folder of the script's own.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh xvfb x11-apps netpbm xdotool
build=${KAVELO_NATIVE_BUILD:-build}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build "$build" -j "$(nproc)" --target kavelo-play

work=$(mktemp -d)
display=:96
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp &
xvfb=$!
game=""
trap 'kill $game $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
sleep 1
export DISPLAY=$display XDG_STATE_HOME=$work/state XDG_DATA_HOME=$work/data SDL_AUDIODRIVER=dummy
source scripts/window-shot.sh
for style in standard contrast; do
  "$build"/play/kavelo-play --new --cell 40 --style "$style" &
  game=$!
  shoot_game_window "$work/$style.png" 50
  kill "$game" && wait "$game" 2>/dev/null || true
done
pngtopnm "$work/standard.png" | pnmpad -white -right 16 > "$work/standard.pnm"
pngtopnm "$work/contrast.png" > "$work/contrast.pnm"
pnmcat -lr "$work/standard.pnm" "$work/contrast.pnm" | pnmtopng > docs/screenshot-styles.png
echo "wrote docs/screenshot-styles.png"
