#!/usr/bin/env bash
# Installs what is missing, builds kavelo-play with its artwork and plays: in a window
# where there is a display, by itself (headless) otherwise. Options pass through, e.g.
#   scripts/play.sh --headless --fast --out snapshots
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build -j "$(nproc)" --target kavelo-play
exec build/play/kavelo-play "$@"
