#!/usr/bin/env bash
# One level played with real X input, in a mod folder of its own whose level
# list is a small lawn of plain grass: Play, slot 1 and Normal in the menus
# start it, the mower mows while an arrow key is held, the slot's file is written in
# the mod folder, P pauses until Space, F5 opens the Audio Panel until
# Return, the debug menu (M, O and W held) mows the rest and the level is
# complete, and after the credits the main menu is back; then the slot is
# continued from the play menu and left with Escape and a "Yes".
# Usage: play_level.sh KELVANE_EXE RUN_FOLDER
here=$(dirname "$(readlink -f "$0")")
source "$here/support/display.sh"
exe=$1
tools=$(dirname "$(dirname "$exe")")

start_display
make_run_folder "$2"
KEEP_PREFIX=play-level
source "$here/support/screen.sh"
cd "$SCRATCH"

make_mod_folder testmod
printf '[music]\nMenuMusic=menu.xm\n[info]\nMapsCount=1\n[map0]\nmap=lawn.map\nmusic=level1.xm\n' > testmod/game.ini
make_lawn_level "$tools/kelvane-tool" testmod lawn.map "Test Lawn" 4 11

KELVANE_MESSAGEBOX=yes "$exe" -base testmod 2>/dev/null &
GAME_PID=$!
game=$(timeout 20 xdotool search --sync --onlyvisible --name '^Kelvane$' | head -n1) || fail "no game window"
[ "$(xdotool getwindowgeometry "$game" | grep -o 'Geometry: [0-9x]*')" = "Geometry: 1024x768" ] ||
  fail "first run should open 1024x768: $(xdotool getwindowgeometry "$game")"
xdotool windowfocus --sync "$game"

# At 1024x768 the field is drawn 1.28 times its size from the top, the bar
# takes the bottom 64 rows and the picture screens are centred.
LEVEL_LINE=300x28+722+703   # right end of the bar: "Level 1: Test Lawn (x% complete)"
MENU_PANEL=25x30+305+62     # inside the main menu's title panel
MENU_PLAY=25x30+305+140     # the main menu's first row, "Play"
SUB_PANEL=25x30+305+20      # a sub-menu's title panel
SUB_FIRST=25x30+305+70      # a sub-menu's first row
SUB_SECOND=25x30+305+118
CREDITS_BAND=1000x30+12+392
PICTURE_FRAME=540x12+242+298
PICTURE_BOARD=500x30+262+320
MOWER_ROW=250x16+270+340    # the row the mower starts on, to its right
PANEL_TITLE=600x16+210+154
PANEL_DISPLAY=560x60+230+392
CONFIRM_TITLE=600x14+200+306
MENU_FIRST=280x28+520+260   # the debug menu's first entry, highlighted

on_main_screen() { panel "$MENU_PANEL" && highlit "$MENU_PLAY"; }
sub_menu_first() { panel "$SUB_PANEL" && highlit "$SUB_FIRST"; }
sub_menu_second() { panel "$SUB_PANEL" && highlit "$SUB_SECOND"; }
credits() { read -r r g b < <(rgb "$CREDITS_BAND"); [ $((r + g + b)) -lt 30 ]; }
# The credits follow the last level; Escape leaves them for the main menu.
menu_after_game() {
  if credits; then
    xdotool key Escape
    return 1
  fi
  on_main_screen
}
playing() { [ "$(brightest "$LEVEL_LINE")" -gt 200 ] && ! blue "$PICTURE_BOARD" && ! blue "$PANEL_TITLE"; }
paused() { blue "$PICTURE_BOARD"; }
# A wooden frame round the picture.
level_complete() { read -r r g b < <(rgb "$PICTURE_FRAME"); [ "$r" -gt 150 ] && [ "$r" -gt $((g + 30)) ] && [ "$g" -gt $((b + 30)) ]; }
audio_panel() { blue "$PANEL_TITLE" && [ "$(convert "$SCREEN" -crop "$PANEL_DISPLAY" +repage -format '%[fx:int(255*mean.r)]' info:)" -lt 10 ]; }
confirming() { blue "$CONFIRM_TITLE"; }
debug_menu() { blue "$MENU_FIRST"; }

slot_bytes() { od -An -tx1 -v testmod/savegames/000.sav | tr -d ' \n'; }
# "Kelvane Saved Game", version 1, level 0, skill Normal.
saved_game=12004b656c76616e652053617665642047616d65010000000100

await "main screen" on_main_screen
keep menu
xdotool key Return
await "slot list" sub_menu_first
xdotool key Return
await "skill list" sub_menu_first
xdotool key Down
await "Normal highlighted" sub_menu_second
xdotool key Return
await "level on screen" playing
sleep 0.5
await "level on screen" playing
keep start
[ "$(stat -c %s testmod/savegames/000.sav 2>/dev/null)" = 26 ] || fail "no 26-byte slot file in the mod folder"
[ "$(slot_bytes)" = "$saved_game" ] || fail "slot file holds $(slot_bytes)"
[ ! -e base/savegames ] || fail "the game saved into base instead of the mod folder"
line_before=$(convert "$SCREEN" -crop "$LEVEL_LINE" +repage -format '%#' info:)
read -r _ mown_before _ < <(rgb "$MOWER_ROW")

xdotool keydown Right
sleep 1.2
xdotool keyup Right
sleep 0.3
await "level after mowing" playing
keep mown
line_after=$(convert "$SCREEN" -crop "$LEVEL_LINE" +repage -format '%#' info:)
[ "$line_before" != "$line_after" ] || fail "the percentage did not change while mowing"
read -r _ mown_after _ < <(rgb "$MOWER_ROW")
[ "$mown_after" -gt $((mown_before + 20)) ] || fail "no mown stripe behind the mower (green $mown_before -> $mown_after)"

xdotool key p
await "pause picture" paused
keep paused
xdotool key space
await "play after the pause" playing

xdotool key F5
await "Audio Panel" audio_panel
keep audio-panel
xdotool key Return
await "play after the Audio Panel" playing

xdotool keydown m keydown o keydown w
await "debug menu" debug_menu
xdotool keyup m keyup o keyup w
keep debug-menu
xdotool key Down
sleep 0.3
xdotool key Return
await "level-complete picture" level_complete
keep complete
# The only level of the list: the game is over and the main screen is back.
xdotool key space
await "main screen after the last level" menu_after_game
[ "$(slot_bytes)" = "$saved_game" ] || fail "slot file after the game holds $(slot_bytes)"

# The slot has a game now: choosing it continues the game.
xdotool key Return
await "slot list" sub_menu_first
xdotool key Return
await "continued level" playing
xdotool key Escape
await "confirmation" confirming
keep confirm
xdotool key Return
await "main screen after leaving the game" on_main_screen

"$tools/xclose" "$game"
await_exit "closing the window"
echo "play level: ok"
