#!/usr/bin/env bash
# Installs what is missing, then builds and runs the whole test suite twice: a normal
# build, and one with the address and undefined-behaviour sanitizers that fails on any
# report; benchmarks are built (not run) in the normal build. Then the packages (built and
# checked), the Windows leg (the 32-bit library cross-built and tested under Wine), the
# browser leg (WebAssembly under Node.js and in headless Chromium) and a short fuzzing run.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
jobs=$(nproc)

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DKAVELO_SANITIZE=address,undefined -DKAVELO_BUILD_BENCH=OFF
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs"

# The packages people install: the Debian packages and the wheel written into dist/, then
# checked from a fresh prefix and a fresh venv and, as root, installed and removed again
# (the machine is left as it was); bounded in time.
limit=${KAVELO_PACKAGE_TIMEOUT:-1800}
timeout --kill-after=30 "$limit" scripts/package.sh
timeout --kill-after=30 "$limit" scripts/package-check.sh build

# The Windows leg: the 32-bit DLLs cross-built and their suite run under Wine (the 64-bit
# suite stands in where this machine cannot run 32-bit programs); bounded in time.
KAVELO_WINDOWS_TEST_TIMEOUT=${KAVELO_WINDOWS_TEST_TIMEOUT:-1500} scripts/windows.sh --x86-only

# The browser leg: the module, its package and kavelo-play's page built with Debian's
# emscripten, the shared suites under Node.js, the page, pictures and API in headless
# Chromium, and dist/PlgKavelo-<version>-web.tgz; the artwork comes from the normal
# build. Bounded in time.
KAVELO_NATIVE_BUILD=build timeout --kill-after=30 "${KAVELO_WEB_TIMEOUT:-1500}" scripts/web.sh

# A short fuzzing run of every target over its generated corpus.
scripts/fuzz.sh 20
