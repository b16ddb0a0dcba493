#!/usr/bin/env bash
# The window's close button asks "Are you sure you want to close Kelvane ?";
# No keeps the game running, Yes ends it with exit code 0 and writes the
# engine's settings and the game's.
# Usage: close_confirmation.sh KELVANE_EXE RUN_FOLDER
here=$(dirname "$(readlink -f "$0")")
source "$here/support/display.sh"
exe=$1
tools=$(dirname "$(dirname "$exe")")
unset KELVANE_MESSAGEBOX

start_display
make_run_folder "$2"
cd "$SCRATCH"
"$exe" &
GAME_PID=$!

game=$(timeout 20 xdotool search --sync --onlyvisible --name '^Kelvane$' | head -n1) || fail "no game window"
[ "$(xdotool getwindowgeometry "$game" | grep -o 'Geometry: [0-9x]*')" = "Geometry: 1024x768" ] ||
  fail "first run should open 1024x768: $(xdotool getwindowgeometry "$game")"

ask_and_answer() {
  "$tools/xclose" "$game"
  local box
  box=$(timeout 20 xdotool search --sync --onlyvisible --name '^Confirm$' | head -n1) || fail "no confirmation box"
  xdotool windowfocus --sync "$box"
  xdotool key "$1"
  for _ in $(seq 1 50); do
    xdotool search --name '^Confirm$' >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  fail "the box did not close on $1"
}

ask_and_answer Escape
sleep 0.5
kill -0 "$GAME_PID" 2>/dev/null || fail "No must keep the game running"

ask_and_answer Return
for _ in $(seq 1 50); do
  kill -0 "$GAME_PID" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$GAME_PID" 2>/dev/null && fail "Yes must end the game"
wait "$GAME_PID" && code=0 || code=$?
GAME_PID=
[ "$code" -eq 0 ] || fail "exit code $code"
grep -q '^width=1024$' zavi3.ini || fail "zavi3.ini not written: $(cat zavi3.ini 2>&1)"
grep -q '^window=True$' zavi3.ini || fail "zavi3.ini lost the window flag"
grep -q '^\[Other\]' kelvane.ini || fail "kelvane.ini not written: $(cat kelvane.ini 2>&1)"
echo "close confirmation: ok"
