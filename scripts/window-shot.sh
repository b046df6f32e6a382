# Sourced by the screenshot scripts: waits for the kavelo-play window on $DISPLAY, lets
# the time bar run a few seconds, clicks a tile, shows a hint (H), and writes the window,
# cut out of the root window (whose visual converts faithfully), as a PNG.
#   shoot_game_window OUTPUT.png TRIES   (TRIES of 0.2 s to wait for the window)
shoot_game_window() {
  local out=$1 tries=$2 window="" info
  for _ in $(seq "$tries"); do
    window=$(xwininfo -root -tree 2>/dev/null | awk '/"kavelo-play/ {print $1; exit}')
    [ -n "$window" ] && break
    sleep 0.2
  done
  [ -n "$window" ] || { echo "no kavelo-play window appeared" >&2; return 1; }
  xdotool windowfocus --sync "$window" 2>/dev/null || true
  sleep 4                                   # a few seconds of the time bar
  xdotool mousemove --window "$window" 300 250 click 1   # select a tile, if one lies there
  sleep 0.3
  xdotool key --window "$window" h          # show a hint
  sleep 0.8
  info=$(xwininfo -id "$window")
  field() { printf '%s\n' "$info" | awk -F: -v k="$1" '$1 ~ k {gsub(/ /, "", $2); print $2}'; }
  xwd -silent -root | xwdtopnm 2>/dev/null |
    pamcut -left "$(field 'Absolute upper-left X')" -top "$(field 'Absolute upper-left Y')" \
           -width "$(field 'Width')" -height "$(field 'Height')" | pnmtopng > "$out"
  echo "wrote $out"
}
