#!/usr/bin/env bash
# Alt+Enter and F11 switch between a window and full screen wherever the
# player is: a level and the menu keep their picture, scaled to the screen,
# play goes on without a pause, and "zavi3.ini" remembers the choice for the
# next start.  Turning to another window during play shows the pause
# picture.
# Usage: fullscreen.sh KELVANE_EXE RUN_FOLDER
here=$(dirname "$(readlink -f "$0")")
source "$here/support/display.sh"
exe=$1
tools=$(dirname "$(dirname "$exe")")

start_display
make_run_folder "$2"
KEEP_PREFIX=fullscreen
source "$here/support/screen.sh"
cd "$SCRATCH"

# The window as X has it now: a switch makes a new one.
window_of_size() {
  local w
  for w in $(xdotool search --onlyvisible --name '^Kelvane$' 2>/dev/null); do
    if [ "$(xdotool getwindowgeometry "$w" | grep -o 'Geometry: [0-9x]*')" = "Geometry: $1" ]; then
      game=$w
      return 0
    fi
  done
  return 1
}
await_window() {
  for _ in $(seq 1 50); do
    window_of_size "$1" && return 0
    kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended while waiting for a $1 window"
    sleep 0.2
  done
  fail "no $1 window: $(xdotool search --name '^Kelvane$' getwindowgeometry %@ 2>/dev/null)"
}
stored_window() { grep -q "^window=$1\$" zavi3.ini || fail "zavi3.ini does not hold window=$1: $(grep '^window' zavi3.ini)"; }

# In the 1024x768 window the view is the window.  Full screen (1280x1024)
# emulates it: 768 rows high, 960 wide, drawn 4/3 times its size.
MENU_PANEL=25x30+305+62
MENU_PLAY=25x30+305+140
SUB_PANEL=25x30+305+20
SUB_FIRST=25x30+305+70
LEVEL_LINE=300x28+722+703
PICTURE_BOARD=500x30+262+320
FULL_MENU_PANEL=25x30+420+40
FULL_MENU_PLAY=25x30+420+195
FULL_LEVEL_LINE=340x36+935+938
LEVEL_TEXT=500x28+520+703
FULL_LEVEL_TEXT=700x40+578+935
FULL_FIELD=1180x60+50+400

on_main_screen() { panel "$MENU_PANEL" && highlit "$MENU_PLAY"; }
on_main_screen_full() { panel "$FULL_MENU_PANEL" && highlit "$FULL_MENU_PLAY"; }
sub_menu_first() { panel "$SUB_PANEL" && highlit "$SUB_FIRST"; }
playing() { [ "$(brightest "$LEVEL_LINE")" -gt 200 ] && ! blue "$PICTURE_BOARD"; }
paused() { blue "$PICTURE_BOARD"; }
# The field fills the screen's width, green with grass.
playing_full() {
  [ "$(brightest "$FULL_LEVEL_LINE")" -gt 200 ] || return 1
  read -r r g b < <(rgb "$FULL_FIELD")
  [ "$g" -gt $((r + 20)) ] && [ "$g" -gt $((b + 20)) ]
}

# How wide the bright text of the bar's level line is, in screen pixels.
text_width() { convert "$SCREEN" -crop "$1" +repage -threshold 70% -trim -format '%w' info:; }

KELVANE_MESSAGEBOX=yes "$exe" 2>"$SCRATCH/stderr" &
GAME_PID=$!
timeout 20 xdotool search --sync --onlyvisible --name '^Kelvane$' >/dev/null || fail "no game window"
await_window 1024x768
xdotool windowfocus --sync "$game"
await "main screen" on_main_screen

# Play, slot 1, Easy: the first row of each list.
for _ in 1 2 3; do
  xdotool key Return
  sleep 0.8
done
await "level in the window" playing
window_text=$(text_width "$LEVEL_TEXT")

xdotool key alt+Return
await_window 1280x1024
await "level in full screen" playing_full
keep level
stored_window False
[ "$(xdotool getwindowgeometry "$game" | grep -o 'Position: [0-9,]*')" = "Position: 0,0" ] ||
  fail "full screen is not at the top left: $(xdotool getwindowgeometry "$game")"
# The same text drawn 4/3 times as large, not squeezed into a narrower view.
full_text=$(text_width "$FULL_LEVEL_TEXT")
expected=$((window_text * 4 / 3))
[ "$full_text" -ge $((expected - 4)) ] && [ "$full_text" -le $((expected + 4)) ] ||
  fail "the level line is $full_text pixels wide in full screen, $window_text in the window"

xdotool key F11
await_window 1024x768
await "level back in the window, not paused" playing
keep level-window
stored_window True
sleep 0.5
await "play going on after the switch" playing

# The focus goes to the desktop: the pause picture, which Space ends once
# the game has the focus again.
root=$(xwininfo -root | awk '/Window id:/ { print $4 }')
xdotool windowfocus "$root"
await "pause picture on focus loss" paused
keep focus-lost
xdotool windowfocus --sync "$game"
sleep 0.3
xdotool key space
await "play after the pause" playing

xdotool key Escape
sleep 0.5
xdotool key Return
await "main screen after leaving" on_main_screen
xdotool key F11
await_window 1280x1024
await "main screen in full screen" on_main_screen_full
keep menu
stored_window False
"$tools/xclose" "$game"
await_exit "closing full screen"

# The next start opens full screen.
KELVANE_MESSAGEBOX=yes "$exe" 2>"$SCRATCH/stderr" &
GAME_PID=$!
timeout 20 xdotool search --sync --onlyvisible --name '^Kelvane$' >/dev/null || fail "no game window on the next start"
await_window 1280x1024
await "main screen in full screen on the next start" on_main_screen_full
"$tools/xclose" "$game"
await_exit "closing full screen on the next start"
echo "full screen: ok"
