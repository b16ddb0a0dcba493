#!/usr/bin/env bash
# The Audio Panel opened from the widget demo: centred on the screen with its
# dark green display, and the Return that closes it with "Done" never
# reaches the screen below; the next Return does.
# Usage: audio_panel.sh KELVANE_EXE RUN_FOLDER
here=$(dirname "$(readlink -f "$0")")
source "$here/support/display.sh"
exe=$1

start_display
make_run_folder "$2"
cd "$SCRATCH"
"$exe" --gui-demo >demo.out 2>/dev/null &
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

# The colour of one pixel of the game window, as "r,g,b".
pixel() {
  import -window "$game" shot.png
  convert shot.png -format '%[fx:int(255*p{'"$1"','"$2"'}.r)],%[fx:int(255*p{'"$1"','"$2"'}.g)],%[fx:int(255*p{'"$1"','"$2"'}.b)]' info:
}

wait_for ready
xdotool key Menu
wait_for "Audio Panel open"
sleep 0.5

eval "$(xdotool getwindowgeometry --shell "$game")"
x=$(( (WIDTH - 630) / 2 ))
y=$(( (HEIGHT - 470) / 2 ))
# The right end of the display holds no text; left of it lies the panel's face.
[ "$(pixel $((x + 20 + 580)) $((y + 240 + 30)))" = "0,8,0" ] || fail "no dark green display at its place"
[ "$(pixel $((x + 4)) $((y + 240 + 30)))" = "200,200,200" ] || fail "no panel face beside the display"

xdotool key Return
wait_for "Audio Panel closed"
# Long enough for a dozen engine ticks: a leaked press would show by now.
sleep 0.5
grep -qx "demo: Return" demo.out && fail "the screen below saw the Return that closed the panel"

xdotool key Return
wait_for Return
[ "$(grep -cx 'demo: Return' demo.out)" -eq 1 ] || fail "one Return counted twice: $(cat demo.out)"
echo "audio panel: ok"
