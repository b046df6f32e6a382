#!/usr/bin/env bash
# The browser build. Installs what is missing (Debian's emscripten; chromium and npm for
# the tests), draws the artwork with a native build, builds the WebAssembly module, the
# JavaScript package and kavelo-play's page, runs the shared suites under Node.js and the
# browser tests in headless Chromium, and writes dist/PlgKavelo-<version>-web.tgz: the
# package with its module, the page and its art, installable with npm.
#   scripts/web.sh            build, test and package
#   scripts/web.sh --serve    build, then serve the page on localhost until stopped
#   scripts/web.sh --build    build only (the site in build-web/site)
#   scripts/web.sh --bench    build, then run the benchmark page in headless Chromium
# KAVELO_NATIVE_BUILD: the native build folder that draws the artwork (scripts/test.sh
# passes its own); KAVELO_WEB_TEST_TIMEOUT: the seconds each test step may take.
set -euo pipefail
cd "$(dirname "$0")/.."
mode=${1:-test}
case "$mode" in test|--serve|--build|--bench) ;; *) echo "usage: scripts/web.sh [--serve|--build|--bench]" >&2; exit 2 ;; esac
extra=(emscripten)
[ "$mode" = --serve ] || [ "$mode" = --build ] || extra+=(chromium)
command -v npm > /dev/null || extra+=(npm)
scripts/deps.sh "${extra[@]}"
jobs=$(nproc)

native=${KAVELO_NATIVE_BUILD:-build-web-native}
# A native build folder that exists is used as it is configured.
[ -f "$native/CMakeCache.txt" ] || cmake -S . -B "$native" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKAVELO_BUILD_BENCH=OFF > /dev/null
# The artwork, and the browser tests' fixtures: pictures with the frames Linux composes of them.
cmake --build "$native" -j "$jobs" --target kavelo_artwork_files kavelo_web_fixtures

# emcc finds its JavaScript tools only through Debian's folder of Node.js modules.
export NODE_PATH=/usr/share/nodejs
emcmake cmake -S . -B build-web -DCMAKE_BUILD_TYPE=Release -DKAVELO_NATIVE_ART_DIR="$PWD/$native/art" \
  -DCMAKE_CROSSCOMPILING_EMULATOR="$(command -v node)" > /dev/null
cmake --build build-web -j "$jobs"
site=build-web/site

if [ "$mode" = --serve ]; then
  port=${KAVELO_WEB_PORT:-8080}
  echo "kavelo-play: http://127.0.0.1:$port/play/"
  exec node scripts/serve.mjs "$site" "$port"
fi
[ "$mode" = --build ] && exit 0
(cd tests/web && npm ci --no-audit --no-fund --loglevel=error)
[ "$mode" = --bench ] && exec node bench/web/run.mjs "$site"

limit=${KAVELO_WEB_TEST_TIMEOUT:-900}
# The shared suites, built to WebAssembly, under Node.js.
timeout --kill-after=30 "$limit" ctest --test-dir build-web --output-on-failure -j "$jobs"
# The page, the pictures and the package's API in headless Chromium.
timeout --kill-after=30 "$limit" node tests/web/run.mjs "$site" "$native/tests/web/reference/fixtures"

# The package: npm's own tarball of the site, checked by installing it offline.
version=$(sed -n 's/^project(PlgKavelo VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
mkdir -p dist
packed=$(cd "$site" && npm pack --silent --pack-destination "$PWD/../../dist" | tail -n 1)
mv "dist/$packed" "dist/PlgKavelo-$version-web.tgz"
check=$(mktemp -d)
trap 'rm -rf "$check"' EXIT
npm install --prefix "$check" --offline --no-audit --no-fund --loglevel=error "$PWD/dist/PlgKavelo-$version-web.tgz"
installed=$check/node_modules/plgkavelo
for f in kavelo.js kavelo.d.ts browserServices.js PlgKaveloModule.wasm LICENSE play/index.html play/KaveloPlayModule.wasm \
    play/sw.js play/manifest.webmanifest play/art/index.json; do
  [ -f "$installed/$f" ] || { echo "dist/PlgKavelo-$version-web.tgz lacks $f" >&2; exit 1; }
done
# The licence: the repository's text, and the name npm shows for it.
cmp -s "$installed/LICENSE" LICENSE || { echo "dist/PlgKavelo-$version-web.tgz holds another LICENSE" >&2; exit 1; }
node -e 'process.exit(require(process.argv[1]).license === "MIT" ? 0 : 1)' "$installed/package.json" ||
  { echo "dist/PlgKavelo-$version-web.tgz: package.json does not name the MIT licence" >&2; exit 1; }
echo "Wrote dist/PlgKavelo-$version-web.tgz"
