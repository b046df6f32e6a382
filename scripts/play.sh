#!/usr/bin/env bash
# Installs what is missing and builds the plug-in libraries.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)" --target PlgKavelo OrvinaTools
echo "Built build/host/libPlgKavelo.so and build/tools/libOrvinaTools.so (the kavelo-play host is not there yet)."
