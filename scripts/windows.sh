#!/usr/bin/env bash
# Builds the Windows packages from this Linux machine: installs what is missing, draws the
# artwork with a native build of the generator, cross-builds the 32-bit (x86) and 64-bit
# (x64) libraries with mingw-w64 (Release), runs the test suite under Wine, and writes
# dist/PlgKavelo-<version>-windows-x86.zip and ...-x64.zip, each with the LICENSE.
#   scripts/windows.sh [--x86-only] [--no-tests]
# The 32-bit suite always runs where the machine can run 32-bit programs; the 64-bit one
# runs too when KAVELO_TEST_X64=1, or in place of the 32-bit one where it cannot.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
arches=(x86 x64)
run_tests=1
for arg in "$@"; do
  case "$arg" in
    --x86-only) arches=(x86) ;;
    --no-tests) run_tests=0 ;;
    *) echo "usage: scripts/windows.sh [--x86-only] [--no-tests]" >&2; exit 2 ;;
  esac
done
jobs=$(nproc)
limit=${KAVELO_WINDOWS_TEST_TIMEOUT:-1800}   # seconds for one architecture's whole suite

scripts/deps.sh
scripts/windows-deps.sh
version=$(sed -n 's/^project(PlgKavelo VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)

# The artwork generator is portable C++ built for this machine; its output ships as is.
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build -j "$jobs" --target kavelo_artwork_files

# Whether this machine runs 32-bit Linux programs (Wine's 32-bit loader is one).
can_run_32=0
/usr/lib/wine/wine --version > /dev/null 2>&1 && can_run_32=1

# Where the 32-bit suite cannot run, the 64-bit one stands in for it.
if [ "$run_tests" = 1 ] && [ "$can_run_32" = 0 ] && [[ " ${arches[*]} " != *" x64 "* ]]; then arches+=(x64); fi

system_dlls='^(KERNEL32|USER32|GDI32|ole32|OLEAUT32|WINMM|WindowsCodecs|msvcrt|ADVAPI32|SHELL32|COMCTL32|api-ms-win-[a-z0-9-]+)\.dll$'

for arch in "${arches[@]}"; do
  if [ "$arch" = x86 ]; then triple=i686-w64-mingw32; else triple=x86_64-w64-mingw32; fi
  build=build-windows-$arch
  cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE="cmake/toolchains/$triple.cmake" -DCMAKE_BUILD_TYPE=Release \
    -DKAVELO_ART_SOURCE="$root/build/art" > /dev/null
  cmake --build "$build" -j "$jobs"

  # Both DLLs and the program import system DLLs only (and the plug-in its tools library);
  # the import libraries spell the names in either case.
  shopt -s nocasematch
  for module in "$build"/bin/PlgKavelo.dll "$build"/bin/OrvinaTools.dll "$build"/bin/kavelo-play.exe; do
    for dll in $("$triple-objdump" -p "$module" | awk '/DLL Name:/ {print $3}'); do
      [ "$dll" = OrvinaTools.dll ] || [ "$dll" = PlgKavelo.dll ] || [[ "$dll" =~ $system_dlls ]] ||
        { echo "$module imports $dll, which is not a system DLL" >&2; exit 1; }
    done
  done
  shopt -u nocasematch

  test_this=0
  if [ "$run_tests" = 1 ]; then
    if [ "$arch" = x86 ] && [ "$can_run_32" = 1 ]; then test_this=1; fi
    if [ "$arch" = x64 ] && { [ "${KAVELO_TEST_X64:-0}" = 1 ] || [ "$can_run_32" = 0 ]; }; then test_this=1; fi
    if [ "$arch" = x86 ] && [ "$can_run_32" = 0 ]; then
      echo "This machine cannot run 32-bit programs: the x64 suite stands in for the x86 one." >&2
    fi
  fi
  if [ "$test_this" = 1 ]; then
    log=$build/ctest-wine.log
    if ! timeout --kill-after=30 "$limit" ctest --test-dir "$build" --output-on-failure -j "$jobs" --timeout 600 2>&1 |
        tee "$log"; then
      # Wine's own server now and then drops a test program's connection ("wine client
      # error"): only then do the failed tests run once more, one at a time.
      grep -q "wine client error" "$log" || exit 1
      echo "Wine dropped a test's connection: running the failed tests again." >&2
      timeout --kill-after=30 "$limit" ctest --test-dir "$build" --rerun-failed --output-on-failure --timeout 600
    fi
  fi

  # The package.
  stage=$build/package
  rm -rf "$stage"
  cmake --install "$build" --prefix "$stage" > /dev/null
  cp "$build"/bin/kavelo-play.exe "$stage/bin/"
  cp -r "$build"/bin/art "$stage/bin/art"
  # An import library for the C interface, for any compiler: made by dlltool from a .def
  # that lists the plug-in's unmangled exports.
  {
    echo "LIBRARY PlgKavelo.dll"
    echo "EXPORTS"
    "$triple-objdump" -p "$build/bin/PlgKavelo.dll" |
      awk '/\[Ordinal\/Name Pointer\] Table/ {t = 1; next} t && /^\t\[/ {print $NF} t && /^$/ {t = 0}' |
      grep -v '^_Z' | sed 's/^/  /' || true
  } > "$stage/lib/PlgKavelo.def"
  # The C interface is all there, unmangled.
  for f in KaveloCreate KaveloDestroy KaveloAllocGdiData KaveloSetGameParam KaveloSetGameParamUtf8 KaveloInputEvent \
           KaveloInputEventUtf8 KaveloFindHint KaveloSolve KaveloFindSafeHint KaveloSetSolvableShuffles KaveloUndo \
           KaveloRedo KaveloPause KaveloPaused KaveloSaveGame KaveloLoadGame KaveloTimerFd KaveloTimeoutMs \
           KaveloDispatchTimers KaveloSetTimerClock; do
    grep -qx "  $f" "$stage/lib/PlgKavelo.def" || { echo "PlgKavelo.dll does not export $f" >&2; exit 1; }
  done
  "$triple-dlltool" -d "$stage/lib/PlgKavelo.def" -D PlgKavelo.dll -l "$stage/lib/PlgKavelo.lib"
  cp packaging/windows/README-windows.txt LICENSE "$stage/"
  mkdir -p dist
  zip_path=$root/dist/PlgKavelo-$version-windows-$arch.zip
  rm -f "$zip_path"
  (cd "$stage" && zip -qr "$zip_path" .)
  # The zip carries the licence and the notes at its top, as the repository has them.
  unzip -p "$zip_path" LICENSE 2> /dev/null | cmp -s - LICENSE ||
    { echo "dist/PlgKavelo-$version-windows-$arch.zip lacks the LICENSE" >&2; exit 1; }
  unzip -p "$zip_path" README-windows.txt 2> /dev/null | cmp -s - packaging/windows/README-windows.txt ||
    { echo "dist/PlgKavelo-$version-windows-$arch.zip lacks README-windows.txt" >&2; exit 1; }
  echo "wrote dist/PlgKavelo-$version-windows-$arch.zip"
done
