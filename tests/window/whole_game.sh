#!/usr/bin/env bash
# The whole game with real X input, in a mod folder of its own whose level
# list is two small lawns: without the menu picture the game says so and
# ends; then Play, slot 1, Easy; level 1 mown with the debug menu; level 2
# reached and left with Escape and a "Yes"; slot 1 listed as "1: Easy -
# Level 2" and continued; deleted from the options; the credits watched;
# the help read and closed; Exit.  Afterwards the settings files are written
# and slot 1's file is gone.
# Usage: whole_game.sh KELVANE_EXE RUN_FOLDER
here=$(dirname "$(readlink -f "$0")")
source "$here/support/display.sh"
exe=$1
tools=$(dirname "$(dirname "$exe")")

start_display
make_run_folder "$2"
KEEP_PREFIX=whole-game
source "$here/support/screen.sh"
source "$here/support/game_screens.sh"
cd "$SCRATCH"

make_mod_folder testmod
printf '[music]\nMenuMusic=menu.xm\nCreditsMusic=credits.ogg\n[info]\nMapsCount=2\n' > testmod/game.ini
printf '[map0]\nmap=lawn1.map\nmusic=level1.xm\n[map1]\nmap=lawn2.map\nmusic=level2.xm\n' >> testmod/game.ini
for n in 1 2; do
  make_lawn_level "$tools/kelvane-tool" testmod "lawn$n.map" "Test Lawn $n" 6 $((7 + n))
done
cp -r testmod nopicture
rm nopicture/menuback.png

LONG_HINT=25x30+305+530     # the hint box under a list of nine rows
SLOT1_LABEL=260x26+62+72     # the first slot row's label
MOD_LINE=180x18+840+747      # "Using mod folder: testmod", bottom right
PICTURE_FRAME=540x12+242+298
MENU_FIRST=280x28+520+260    # the debug menu's first entry, highlighted
CREDITS_BAND=1000x30+12+392
CREDITS_SKY=1000x30+12+100
HELP_TITLE=700x10+160+14
HELP_PAGE=500x200+262+300

darkest() { convert "$SCREEN" -crop "$1" +repage -colorspace gray -format '%[fx:int(255*minima)]' info:; }
shaded() { read -r r g b < <(rgb "$1"); [ $((r + g + b)) -lt 200 ]; }

# A sub-menu with its current row; the slot and delete lists have nine rows,
# which push the hint box down over the lawn.
long_menu_at() { sub_menu_at "$1" && shaded "$LONG_HINT"; }
short_menu_at() { sub_menu_at "$1" && ! shaded "$LONG_HINT"; }
level_complete() { read -r r g b < <(rgb "$PICTURE_FRAME"); [ "$r" -gt 150 ] && [ "$r" -gt $((g + 30)) ] && [ "$g" -gt $((b + 30)) ]; }
debug_menu() { blue "$MENU_FIRST"; }
credits() { read -r r g b < <(rgb "$CREDITS_BAND"); [ $((r + g + b)) -lt 30 ] && read -r r g b < <(rgb "$CREDITS_SKY") && [ $((r + g + b)) -gt 120 ]; }
help_shown() { blue "$HELP_TITLE" && [ "$(convert "$SCREEN" -crop "$HELP_PAGE" +repage -format '%[fx:int(255*mean)]' info:)" -gt 200 ]; }
# Width of the white text of a region.
text_width() { convert "$SCREEN" -crop "$1" +repage -colorspace gray -threshold 80% -trim -format '%w' info: 2>/dev/null; }

launch() {
  KELVANE_MESSAGEBOX=yes "$exe" -base "$1" 2>/dev/null &
  GAME_PID=$!
  game=$(timeout 20 xdotool search --sync --onlyvisible --name '^Kelvane$' | head -n1) || fail "no game window"
  xdotool windowfocus --sync "$game"
}
slot_bytes() { od -An -tx1 -v testmod/savegames/000.sav | tr -d ' \n'; }
tag=12004b656c76616e652053617665642047616d650100   # "Kelvane Saved Game", version 1

# Without the menu picture: the message, then a normal end.
launch nopicture
await "message about the menu picture" dialog
keep no-picture
key Return
await_exit "the missing menu picture"
[ -s zavi3.ini ] || fail "no zavi3.ini after the missing menu picture"
rm -f zavi3.ini kelvane.ini

launch testmod
[ "$(xdotool getwindowgeometry "$game" | grep -o 'Geometry: [0-9x]*')" = "Geometry: 1024x768" ] ||
  fail "first run should open 1024x768: $(xdotool getwindowgeometry "$game")"
await "main menu" main_menu_at 0
keep main-menu
[ "$(darkest "$MOD_LINE")" -lt 40 ] || fail "no mod folder line at the bottom right"

# Play, slot 1, Easy.
key Return
await "slot list" long_menu_at 0
keep slot-list
empty_width=$(text_width "$SLOT1_LABEL")
key Return
await "skill list" short_menu_at 0
keep skill-list
key Return
await "level 1" playing
[ "$(slot_bytes)" = "${tag}00000000" ] || fail "slot file at level 1 holds $(slot_bytes)"

# The debug menu mows level 1; level 2 follows.
xdotool keydown m keydown o keydown w
await "debug menu" debug_menu
xdotool keyup m keyup o keyup w
key Down
sleep 0.3
key Return
await "level-complete picture" level_complete
key space
await "level 2" playing
[ "$(slot_bytes)" = "${tag}01000000" ] || fail "slot file at level 2 holds $(slot_bytes)"
keep level-2
key Escape
await "confirmation" dialog
key Return
await "main menu after leaving the game" main_menu_at 0

# Slot 1 now reads "1: Easy - Level 2": its label is as wide as that text in
# the menu font (and no longer as "1: (empty slot)"); the file says the same.
key Return
await "slot list with the game" long_menu_at 0
keep slot-list-saved
saved_width=$(text_width "$SLOT1_LABEL")
label_width() {
  convert -background black -fill white -font zavi3/fonts/Roboto-Regular.ttf -pointsize 18 label:"$1" \
    -colorspace gray -threshold 50% -trim -format '%w' info:
}
expected=$(label_width "1: Easy - Level 2")
empty_expected=$(label_width "1: (empty slot)")
[ "$empty_width" -ge $((empty_expected - 3)) ] && [ "$empty_width" -le $((empty_expected + 3)) ] ||
  fail "slot 1 did not read as empty at first: $empty_width wide, \"1: (empty slot)\" $empty_expected"
[ "$saved_width" -ge $((expected - 3)) ] && [ "$saved_width" -le $((expected + 3)) ] &&
  [ "$saved_width" -gt $((empty_width + 5)) ] ||
  fail "slot 1's label is $saved_width wide, \"1: Easy - Level 2\" $expected (empty: $empty_width)"
key Return
await "continued level" playing
[ "$(slot_bytes)" = "${tag}01000000" ] || fail "slot file of the continued game holds $(slot_bytes)"
key Escape
await "confirmation" dialog
key Return
await "main menu after the continued game" main_menu_at 0

# Options, Delete Saved Game, slot 1, Yes.
key Down
await "Options highlighted" main_menu_at 1
key Return
await "options menu" short_menu_at 0
keep options
key Down Down
await "Delete Saved Game highlighted" short_menu_at 2
key Return
await "delete screen" long_menu_at 0
keep delete
key Return
await "delete confirmation" dialog
keep delete-confirm
key Return
await "options after deleting" short_menu_at 2
[ ! -e testmod/savegames/000.sav ] || fail "slot 1's file is still there"
key Escape
await "main menu after the options" main_menu_at 1

# The credits for a few seconds, then Escape.
key Down Down Down
await "Credits highlighted" main_menu_at 4
key Return
await "credits" credits
sleep 3
await "credits after three seconds" credits
keep credits
key Escape
await "main menu after the credits" main_menu_at 4

# Help, closed with Return (its Done button).
key Up
await "Help highlighted" main_menu_at 3
key Return
await "help" help_shown
keep help
key Return
await "main menu after the help" main_menu_at 3

# Exit.
key Down Down
await "Exit highlighted" main_menu_at 5
key Return
await_exit "Exit"

grep -q '^\[video\]' zavi3.ini && grep -q '^width=1024' zavi3.ini && grep -q '^height=768' zavi3.ini &&
  grep -q '^\[audio\]' zavi3.ini && grep -q '^\[ui\]' zavi3.ini && grep -q '^version=1' zavi3.ini || fail "zavi3.ini is not as written at shutdown: $(cat zavi3.ini)"
for k in imageImportPath imageExportPath importTalvexTilesPath importTalvexSpritePath; do
  grep -q "^$k=" kelvane.ini || fail "kelvane.ini has no $k: $(cat kelvane.ini)"
done
grep -q '^\[Other\]' kelvane.ini || fail "kelvane.ini has no [Other] section"
[ ! -e testmod/kelvane.ini ] || fail "kelvane.ini was written into the mod folder"
[ -d testmod/savegames ] || fail "no savegames folder in the mod folder"
[ -z "$(ls testmod/savegames)" ] || fail "saved games left behind: $(ls testmod/savegames)"
[ ! -e base/savegames ] || fail "the game saved into base instead of the mod folder"
echo "whole game: ok"
