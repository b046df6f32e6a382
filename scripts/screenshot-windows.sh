#!/usr/bin/env bash
# Takes docs/screenshot-windows.png: kavelo-play.exe in a real window under Wine on a
# virtual X display, with a hint shown (H) after a tile has been clicked. Uses the build
# of scripts/windows.sh (x86 where this machine runs 32-bit programs, else x64).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh xvfb x11-apps netpbm xdotool
arch=x86
/usr/lib/wine/wine --version > /dev/null 2>&1 || arch=x64
exe=build-windows-$arch/bin/kavelo-play.exe
[ -f "$exe" ] || { echo "no $exe: run scripts/windows.sh first" >&2; exit 1; }

display=:96
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp &
xvfb=$!
trap 'kill $game $xvfb 2>/dev/null || true' EXIT
sleep 1
export DISPLAY=$display
bits=32
[ "$arch" = x64 ] && bits=64
cmake/toolchains/wine-run.sh "$bits" "$exe" &
game=$!
window=""
for _ in $(seq 150); do
  window=$(xwininfo -root -tree 2>/dev/null | awk '/"kavelo-play/ {print $1; exit}')
  [ -n "$window" ] && break
  sleep 0.2
done
[ -n "$window" ] || { echo "no kavelo-play window appeared" >&2; exit 1; }
sleep 4                                   # a few seconds of the time bar
xdotool mousemove --window "$window" 300 250 click 1   # select a tile, if one lies there
sleep 0.3
xdotool key --window "$window" h          # show a hint
sleep 0.8
info=$(xwininfo -id "$window")
field() { printf '%s\n' "$info" | awk -F: -v k="$1" '$1 ~ k {gsub(/ /, "", $2); print $2}'; }
xwd -silent -root | xwdtopnm 2>/dev/null |
  pamcut -left "$(field 'Absolute upper-left X')" -top "$(field 'Absolute upper-left Y')" \
         -width "$(field 'Width')" -height "$(field 'Height')" | pnmtopng > docs/screenshot-windows.png
echo "wrote docs/screenshot-windows.png"
