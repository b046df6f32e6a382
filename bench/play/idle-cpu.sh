#!/usr/bin/env bash
# The CPU time kavelo-play takes while its window shows a game and nobody plays: each
# binary on a virtual X display of its own, the process's utime+stime over an idle span.
#   bench/play/idle-cpu.sh [--seconds N] [--size WxH] [--fill] [--repeat K]
#                          <kavelo-play> [<another kavelo-play>...] [-- <board options>]
# --seconds: the idle span (20); --size: the virtual screen (1920x1080); --fill: the window
# is resized to the whole screen once it shows (it opens at the game's size); --repeat:
# runs per binary, taken in turns (b1 b2 b1 b2 ...) so a slow spell of the machine falls on
# all of them alike, and the median is printed. Options after -- go to every binary.
# One line per binary: CPU seconds, share of one core, the X server's share over the same
# span (what drawing into the window costs it), the binary. Installs xvfb and xdotool.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)  # for scripts/deps.sh; relative binary paths stay the caller's

seconds=20 size=1920x1080 fill=0 repeat=1 binaries=() board=()
while [ $# -gt 0 ]; do
  case "$1" in
    --seconds) seconds=${2:-}; shift $(($# > 1 ? 2 : 1)) ;;
    --size) size=${2:-}; shift $(($# > 1 ? 2 : 1)) ;;
    --fill) fill=1; shift ;;
    --repeat) repeat=${2:-}; shift $(($# > 1 ? 2 : 1)) ;;
    --) shift; board=("$@"); break ;;
    -*) echo "unknown option $1" >&2; exit 2 ;;
    *) binaries+=("$(realpath "$1")"); shift ;;
  esac
done
if [ ${#binaries[@]} -eq 0 ] || ! [[ $seconds =~ ^[1-9][0-9]*$ && $repeat =~ ^[1-9][0-9]*$ && $size =~ ^[0-9]+x[0-9]+$ ]]; then
  sed -n '2,11p' "$0" | sed 's/^# \{0,1\}//' >&2
  exit 2
fi
for b in "${binaries[@]}"; do [ -x "$b" ] || { echo "not a program: $b" >&2; exit 2; }; done
command -v Xvfb > /dev/null && command -v xdotool > /dev/null || "$root/scripts/deps.sh" xvfb xdotool
hz=$(getconf CLK_TCK)
work=$(mktemp -d "${TMPDIR:-/tmp}/idle-cpu.XXXXXX")
xvfb= game=
stop() { for p in $game $xvfb; do kill "$p" 2> /dev/null && wait "$p" 2> /dev/null; done; game= xvfb=; }
trap 'stop; rm -rf "$work"' EXIT

# utime+stime of a process and all its threads, in clock ticks. The command name in
# field 2 may hold spaces, so the fields are counted from after its closing parenthesis.
ticks() { local s; s=$(< "/proc/$1/stat"); s=${s##*) }; set -- $s; echo $((${12} + ${13})); }

# One run: sets g and x, the game's and the X server's ticks over the idle span.
measure() {
  local run=$1 binary=$2 display window
  mkdir -p "$work/$run/state" "$work/$run/data"
  # -displayfd picks a free display number, so runs never meet a stale X server.
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3> "$work/$run/display" 2> "$work/$run/xvfb.log" &
  xvfb=$!
  until [ -s "$work/$run/display" ]; do kill -0 "$xvfb" || { cat "$work/$run/xvfb.log" >&2; exit 1; }; sleep 0.1; done
  display=:$(< "$work/$run/display")
  # Fresh user folders: no saved game resumes and no best time is written anywhere real.
  DISPLAY=$display XDG_STATE_HOME=$work/$run/state XDG_DATA_HOME=$work/$run/data env -u WAYLAND_DISPLAY \
    "$binary" --window --new "${board[@]}" > "$work/$run/game.log" 2>&1 &
  game=$!
  window=$(DISPLAY=$display timeout 20 xdotool search --sync --onlyvisible --pid "$game" | head -n 1) ||
    { echo "no window from $binary:" >&2; cat "$work/$run/game.log" >&2; exit 1; }
  if [ "$fill" = 1 ]; then
    DISPLAY=$display xdotool windowmove "$window" 0 0 windowsize "$window" "${size%x*}" "${size#*x}"
  fi
  # No window manager gives the focus, and the game pauses without it: the pointer
  # over the window and the focus set keep it running, as for a player looking at it.
  DISPLAY=$display xdotool mousemove --window "$window" 10 10 windowfocus "$window"
  sleep 2
  local g0 x0 g1 x1
  g0=$(ticks "$game") x0=$(ticks "$xvfb")
  sleep "$seconds"
  g1=$(ticks "$game") x1=$(ticks "$xvfb")
  kill -0 "$game" || { echo "$binary ended early:" >&2; cat "$work/$run/game.log" >&2; exit 1; }
  # The title tells whether the game ran or sat paused; worth a look when figures surprise.
  echo "$binary: $(DISPLAY=$display xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: //p'), \"$(DISPLAY=$display xdotool getwindowname "$window")\"" >&2
  stop
  g=$((g1 - g0)) x=$((x1 - x0))
}

declare -A games xservers
for ((r = 0; r < repeat; r++)); do
  for i in "${!binaries[@]}"; do
    measure "$r-$i" "${binaries[$i]}"
    games[$i]+="$g " xservers[$i]+="$x "
  done
done

median() { tr ' ' '\n' | sed '/^$/d' | sort -n | awk '{ v[NR] = $1 } END { print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'; }
printf '%-9s %-8s %-8s %s\n' cpu_s core_% xvfb_% "binary (median of $repeat, ${seconds} s idle, $size$([ $fill = 1 ] && echo ', window filled'))"
for i in "${!binaries[@]}"; do
  g=$(median <<< "${games[$i]}") x=$(median <<< "${xservers[$i]}")
  awk -v g="$g" -v x="$x" -v hz="$hz" -v s="$seconds" -v b="${binaries[$i]}" \
    'BEGIN { printf "%-9.2f %-8.1f %-8.1f %s\n", g / hz, 100 * g / hz / s, 100 * x / hz / s, b }'
done
