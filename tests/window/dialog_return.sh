#!/usr/bin/env bash
# A message box closes on one Return and the screen below it never sees that
# press; the next Return reaches the screen.  Driven in the widget demo,
# which reports what it sees on standard output.
# Usage: dialog_return.sh KELVANE_EXE RUN_FOLDER
here=$(dirname "$(readlink -f "$0")")
source "$here/support/display.sh"
exe=$1

start_display
make_run_folder "$2"
cd "$SCRATCH"
KELVANE_MESSAGEBOX=yes "$exe" --gui-demo >demo.out 2>/dev/null &
GAME_PID=$!
game=$(timeout 20 xdotool search --sync --onlyvisible --name '^Kelvane$' | head -n1) || fail "no game window"
xdotool windowfocus --sync "$game"

wait_for() {
  for _ in $(seq 1 50); do
    grep -qx "demo: $1" demo.out && return 0
    sleep 0.1
  done
  fail "the demo never said '$1'; it said: $(cat demo.out)"
}

wait_for ready
xdotool key F1
wait_for "Message open"
sleep 0.3
xdotool key Return
wait_for "Message closed"
# Long enough for a dozen engine ticks: a leaked press would show by now.
sleep 0.5
grep -qx "demo: Return" demo.out && fail "the screen below saw the Return that closed the box"

xdotool key Return
wait_for Return
[ "$(grep -cx 'demo: Return' demo.out)" -eq 1 ] || fail "one Return counted twice: $(cat demo.out)"
echo "dialog return: ok"
