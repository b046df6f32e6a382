#!/usr/bin/env bash
# Takes docs/screenshot-web.png and docs/screenshot-web-phone.png: kavelo-play's page in
# headless Chromium on a desktop screen and a phone, with a hint
# shown (H) after a few pairs have been played by clicking the hinted tiles.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/web.sh --build
scripts/deps.sh chromium
(cd tests/web && npm ci --no-audit --no-fund --loglevel=error)
node scripts/screenshot-web.mjs build-web/site docs/screenshot-web.png docs/screenshot-web-phone.png
