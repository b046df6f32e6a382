#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and the address and undefined-behaviour
# sanitizers, takes the seed texts from fuzz/seeds, writes the picture seeds with the
# project's own generator and the saved-game seeds from games it plays, and runs each
# target for the given seconds (default 60) over a working copy of its corpus. Fails when
# any run reports a crash, a leak, undefined behaviour or a broken promise.
#
#   scripts/fuzz.sh [seconds-per-target]
#
# Environment: FUZZ_JOBS (build jobs, default all cores), FUZZ_BUILD (default build-fuzz),
# FUZZ_WORK (default a new folder under $TMPDIR, else /tmp, removed afterwards unless a
# run failed).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
jobs="${FUZZ_JOBS:-$(nproc)}"
build="${FUZZ_BUILD:-build-fuzz}"
targets=(fuzz_lookup fuzz_picture fuzz_protocol fuzz_load)
# Longest input per target: texts stay short, pictures may be larger.
declare -A max_len=([fuzz_lookup]=4096 [fuzz_picture]=65536 [fuzz_protocol]=8192 [fuzz_load]=4096)
# The protocol fuzzer writes texts: its words help it reach the keys.
declare -A extra=([fuzz_lookup]="" [fuzz_picture]="" [fuzz_protocol]="-dict=fuzz/protocol.dict" [fuzz_load]="")

scripts/deps.sh clang libclang-rt-14-dev

CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKAVELO_BUILD_FUZZ=ON -DKAVELO_SANITIZE=address,undefined \
  -DKAVELO_BUILD_TESTS=OFF -DKAVELO_BUILD_BENCH=OFF -DKAVELO_BUILD_PLAY=OFF >/dev/null
nice cmake --build "$build" -j "$jobs" --target kavelo_fuzz_seeds "${targets[@]}"

work="${FUZZ_WORK:-$(mktemp -d "${TMPDIR:-/tmp}/kavelo-fuzz.XXXXXX")}"
mkdir -p "$work"
mkdir -p "$work/seeds"
cp -r fuzz/seeds/. "$work/seeds/"
"$build/fuzz/kavelo_fuzz_seeds" "$work/seeds/picture"

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:allocator_may_return_null=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
failed=()
for target in "${targets[@]}"; do
  corpus="$work/corpus/${target#fuzz_}"
  mkdir -p "$corpus" "$work/findings/$target"
  cp -r "$work/seeds/${target#fuzz_}/." "$corpus/"
  echo "== $target: ${seconds}s over $(ls "$corpus" | wc -l) inputs"
  if ! nice "$build/fuzz/$target" -max_total_time="$seconds" -timeout=30 -rss_limit_mb=3072 -max_len="${max_len[$target]}" ${extra[$target]} \
       -print_final_stats=1 -artifact_prefix="$work/findings/$target/" "$corpus" \
       >"$work/$target.log" 2>&1; then
    failed+=("$target")
  fi
  grep -E '^(#[0-9]+[[:space:]]+DONE|stat::number_of_executed_units|stat::peak_rss_mb)' "$work/$target.log" || true
done

if [ ${#failed[@]} -gt 0 ]; then
  for target in "${failed[@]}"; do
    echo "== $target FAILED; log: $work/$target.log, inputs: $work/findings/$target/"
    grep -E 'ERROR|SUMMARY|broken promise' "$work/$target.log" | head -20 || true
  done
  exit 1
fi
[ -n "${FUZZ_WORK:-}" ] || rm -rf "$work"
echo "fuzzing: no findings"
