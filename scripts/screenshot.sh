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
window=""
for _ in $(seq 50); do
  window=$(xwininfo -root -tree 2>/dev/null | awk '/"kavelo-play/ {print $1; exit}')
  [ -n "$window" ] && break
  sleep 0.2
done
[ -n "$window" ] || { echo "no kavelo-play window appeared" >&2; exit 1; }
xdotool windowfocus --sync "$window" 2>/dev/null || true
sleep 4                                   # a few seconds of the time bar
xdotool mousemove --window "$window" 300 250 click 1   # select a tile, if one lies there
sleep 0.3
xdotool key --window "$window" h          # show a hint
sleep 0.5
# The root window's visual converts faithfully; cut the game's window out of it.
info=$(xwininfo -id "$window")
field() { printf '%s\n' "$info" | awk -F: -v k="$1" '$1 ~ k {gsub(/ /, "", $2); print $2}'; }
xwd -silent -root | xwdtopnm 2>/dev/null |
  pamcut -left "$(field 'Absolute upper-left X')" -top "$(field 'Absolute upper-left Y')" \
         -width "$(field 'Width')" -height "$(field 'Height')" | pnmtopng > docs/screenshot.png
echo "wrote docs/screenshot.png"
