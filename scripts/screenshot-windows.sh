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
source scripts/window-shot.sh
shoot_game_window docs/screenshot-windows.png 150
