#!/usr/bin/env bash
# wine-run.sh 32|64 PROGRAM [ARGS...]: runs a Windows program under Wine, in the private
# prefix of the build tree that holds the program (the directory with CMakeCache.txt
# above it), creating the prefix on first use.
set -euo pipefail
bits=$1
shift
dir=$(cd "$(dirname "$1")" && pwd)
while [ "$dir" != / ] && [ ! -f "$dir/CMakeCache.txt" ]; do dir=$(dirname "$dir"); done
[ -f "$dir/CMakeCache.txt" ] || dir=$(pwd)
export WINEPREFIX="${KAVELO_WINEPREFIX:-$dir/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
# Debian's wine script prefers the 32-bit loader; 64-bit programs go to wine64 directly,
# which also works where the machine cannot run 32-bit Linux programs.
if [ "$bits" = 64 ] && [ -x /usr/lib/wine/wine64 ]; then
  wine=/usr/lib/wine/wine64
  export WINELOADER=$wine
else
  wine=wine
fi
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  # One creation at a time; parallel tests wait for it.
  ( flock 9; [ -f "$WINEPREFIX/system.reg" ] || { "$wine" wineboot -i >/dev/null 2>&1 || true; wineserver -w || true; } ) \
    9>"$WINEPREFIX.lock"
fi
exec "$wine" "$@"
