# Reading the game's window in window tests: screenshots of it, the colours
# of regions of the last one, and keys one at a time.  Expects $game (the
# window), $GAME_PID and $KEEP_PREFIX (the name kept screens start with);
# sourced once $SCRATCH is made (make_run_folder).

# Uncompressed: written and read again several times a second.
SCREEN=$SCRATCH/screen.miff
# Mean red, green and blue (0-255) of a region of the last screenshot.
rgb() { convert "$SCREEN" -crop "$1" +repage -format '%[fx:int(255*mean.r)] %[fx:int(255*mean.g)] %[fx:int(255*mean.b)]\n' info:; }
brightest() { convert "$SCREEN" -crop "$1" +repage -format '%[fx:int(255*maxima.r)]' info:; }
blue() { read -r r g b < <(rgb "$1"); [ "$b" -gt $((r + 50)) ] && [ "$b" -gt $((g + 40)) ]; }
# The menus' deep blue title panel and the bright blue of the current row.
panel() { read -r r g b < <(rgb "$1"); [ "$b" -gt 110 ] && [ "$g" -lt 70 ] && [ "$r" -lt 60 ]; }
highlit() { read -r r g b < <(rgb "$1"); [ "$b" -gt 180 ] && [ "$g" -gt 90 ] && [ "$g" -lt 150 ] && [ "$r" -lt 110 ]; }

keep() { if [ -n "${KELVANE_SCREENSHOT_DIR:-}" ]; then convert "$SCREEN" "$KELVANE_SCREENSHOT_DIR/$KEEP_PREFIX-$1.png"; fi; }
# Screenshots until the check passes on one, for up to ten seconds.  A game
# that ends meanwhile is a failure, with what it printed when that was kept
# in $SCRATCH/stderr.
await() {
  local what=$1
  shift
  for _ in $(seq 1 50); do
    timeout 10 import -window "$game" "$SCREEN" && "$@" && return 0
    kill -0 "$GAME_PID" 2>/dev/null ||
      fail "the game ended while waiting for $what$([ -s "$SCRATCH/stderr" ] && echo ": $(cat "$SCRATCH/stderr")")"
    sleep 0.2
  done
  fail "no $what"
}
# One key at a time: a menu moves one row per tick (a thirtieth of a second).
key() {
  local k
  for k in "$@"; do
    xdotool key "$k"
    sleep 0.15
  done
}
# Waits up to five seconds for the game to end, which must be with code 0.
await_exit() {
  for _ in $(seq 1 50); do
    kill -0 "$GAME_PID" 2>/dev/null || break
    sleep 0.1
  done
  wait "$GAME_PID" && code=0 || code=$?
  GAME_PID=
  [ "$code" -eq 0 ] ||
    fail "exit code $code after $1$([ -s "$SCRATCH/stderr" ] && echo ": $(cat "$SCRATCH/stderr")")"
}
