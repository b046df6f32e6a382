#!/bin/sh
# Runs kavelo-play ($1, further arguments passed on) with no display and no video driver
# named: it must end by itself, print one summary line and nothing on stderr.
set -u
err=$(mktemp) || exit 1
trap 'rm -f "$err"' EXIT
program=$1
shift
out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER -u XDG_RUNTIME_DIR timeout 120 "$program" "$@" 2>"$err")
status=$?
lines=$(printf '%s\n' "$out" | wc -l)
printf 'exit %s, stdout: %s\n' "$status" "$out"
if [ "$status" -ne 0 ] || [ "$lines" -ne 1 ] || [ -s "$err" ]; then
  echo "expected exit 0, one summary line and an empty stderr; stderr was:"
  cat "$err"
  exit 1
fi
case $out in
  won*|lost*) exit 0 ;;
esac
echo "the line starts with neither won nor lost"
exit 1
