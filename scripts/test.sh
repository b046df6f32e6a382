#!/usr/bin/env bash
# Installs what is missing, then builds and runs the whole test suite twice: a normal
# build, and one with the address and undefined-behaviour sanitizers that fails on any
# report; benchmarks are built (not run) in the normal build. Then a short fuzzing run.
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

# A short fuzzing run of every target over its generated corpus.
scripts/fuzz.sh 20
