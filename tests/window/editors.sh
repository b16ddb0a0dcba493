#!/usr/bin/env bash
# The editors with real X input, in a mod folder of its own so base/ is
# never written: Tools, Map Editor; bare soil picked with Tile Mode and
# painted across the lawn with a drag, undone with Ctrl+Z and painted
# again; saved under a typed name; run with F9, mown with the debug menu
# and back in the editor; Exit with a "Yes".  Then the Tile Editor on the
# mod's tileset: one pixel painted, saved with F2, Exit.  On disk the map
# holds exactly the painted row, the test run saved to the editor's own
# slot, and the tileset differs from the shipped one in that one pixel.
# Usage: editors.sh KELVANE_EXE RUN_FOLDER
here=$(dirname "$(readlink -f "$0")")
source "$here/support/display.sh"
exe=$1
tools=$(dirname "$(dirname "$exe")")

start_display
make_run_folder "$2"
cd "$SCRATCH"

make_mod_folder testmod
printf '[music]\nMenuMusic=menu.xm\n[info]\nMapsCount=1\n[map0]\nmap=level01.map\nmusic=level1.xm\n' > testmod/game.ini
# Every frame a tick, and half the drawing of the default 60 frames a
# second on a machine that renders in software.
printf '[info]\nversion=1\n[video]\nwidth=1024\nheight=768\nwindow=True\nfpsLimit=30\n' > zavi3.ini

KELVANE_MESSAGEBOX=yes "$exe" -base testmod 2>/dev/null &
GAME_PID=$!
game=$(timeout 20 xdotool search --sync --onlyvisible --name '^Kelvane$' | head -n1) || fail "no game window"
xdotool windowfocus --sync "$game"

# At 1024x768 the Map Editor's field starts at (112, 71), 32 pixels a cell;
# the Tile Editor's canvas at the top left, 14 pixels a tile pixel; the
# tile picker shows 30 tiles a row from (1, 79), 33 pixels apart.
FIELD_X=112
FIELD_Y=71
PAINT_ROW=8
PAINTED=220x10+210+338     # inside cells 3 to 10 of row 8
LEFT_MARGIN=80x300+10+150  # grey beside the Map Editor's field
FIELD_MIDDLE=200x200+400+200
TITLE_BAR=300x12+400+4
TILE_AREA=300x200+550+300  # grey right of the Tile Editor's canvas
SKY=200x40+800+20          # the menu picture
FILE_LIST=200x100+450+300  # the file selector's list
LEVEL_LINE=300x28+722+703
PICTURE_FRAME=540x12+242+298
MENU_FIRST=280x28+520+260
CONFIRM_TITLE=600x14+200+306

SCREEN=$SCRATCH/screen.png
rgb() { convert "$SCREEN" -crop "$1" +repage -format '%[fx:int(255*mean.r)] %[fx:int(255*mean.g)] %[fx:int(255*mean.b)]\n' info:; }
brightest() { convert "$SCREEN" -crop "$1" +repage -format '%[fx:int(255*maxima.r)]' info:; }
blue() { read -r r g b < <(rgb "$1"); [ "$b" -gt $((r + 50)) ] && [ "$b" -gt $((g + 40)) ]; }
grey() { read -r r g b < <(rgb "$1"); [ "$r" -ge 50 ] && [ "$r" -le 66 ] && [ "$g" -ge 50 ] && [ "$g" -le 66 ] && [ "$b" -ge 50 ] && [ "$b" -le 66 ]; }
green() { read -r r g b < <(rgb "$1"); [ "$g" -gt $((r + 30)) ] && [ "$g" -gt $((b + 30)) ]; }
soil() { read -r r g b < <(rgb "$1"); [ "$r" -gt "$g" ] && [ "$g" -gt "$b" ]; }

map_editor() { blue "$TITLE_BAR" && grey "$LEFT_MARGIN" && ! grey "$FIELD_MIDDLE"; }
tile_editor() { blue "$TITLE_BAR" && grey "$TILE_AREA" && ! grey "$LEFT_MARGIN"; }
menu() { read -r r g b < <(rgb "$SKY"); [ "$b" -gt 150 ] && [ "$b" -gt "$r" ]; }
selector() { read -r r g b < <(rgb "$FILE_LIST"); [ "$r" -gt 180 ] && [ "$g" -gt 180 ]; }
picker() { blue "$TITLE_BAR" && ! grey "$FIELD_MIDDLE" && ! grey "$LEFT_MARGIN"; }
playing() { [ "$(brightest "$LEVEL_LINE")" -gt 200 ] && ! blue "$TITLE_BAR"; }
debug_menu() { blue "$MENU_FIRST"; }
level_complete() { read -r r g b < <(rgb "$PICTURE_FRAME"); [ "$r" -gt 150 ] && [ "$r" -gt $((g + 30)) ] && [ "$g" -gt $((b + 30)) ]; }
confirming() { blue "$CONFIRM_TITLE"; }
painted() { map_editor && soil "$PAINTED"; }
lawn() { map_editor && green "$PAINTED"; }

keep() { if [ -n "${KELVANE_SCREENSHOT_DIR:-}" ]; then cp "$SCREEN" "$KELVANE_SCREENSHOT_DIR/editors-$1.png"; fi; }
await() {
  local what=$1
  shift
  [ -n "${EDITORS_TRACE:-}" ] && echo "$(date +%s.%N | cut -c1-14) $what" >&2
  for _ in $(seq 1 50); do
    import -window "$game" "$SCREEN"
    "$@" && return 0
    kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended while waiting for $what"
    sleep 0.2
  done
  fail "no $what"
}
# One key at a time: menus take one key a tick.
keys() { for k in "$@"; do xdotool key "$k"; sleep 0.3; done; }
# A held modifier, as a hand holds it, so that the tick that sees the key,
# however late, still finds the modifier down.
chord() { xdotool keydown "$1"; sleep 0.2; xdotool key "$2"; sleep 1; xdotool keyup "$1"; }
mouse_to() { xdotool mousemove --window "$game" "$1" "$2"; }
cell_x() { echo $((FIELD_X + 32 * $1 + 16)); }
cell_y() { echo $((FIELD_Y + 32 * $1 + 16)); }
# Press on cell 3 of the painted row, drag to cell 10, let go; the stroke
# paints every cell on the way.
paint_row() {
  mouse_to "$(cell_x 3)" "$(cell_y $PAINT_ROW)"
  sleep 0.2
  xdotool mousedown 1
  for c in 5 7 10; do
    sleep 0.1
    mouse_to "$(cell_x "$c")" "$(cell_y $PAINT_ROW)"
  done
  sleep 0.5
  xdotool mouseup 1
  # Out of the field, so the brush's outline is not in the picture.
  mouse_to 40 400
}

await "main menu" menu
keys Down Down Return Return
await "Map Editor" map_editor
keep map-editor

# Bare soil is tile 32: the picker's second row, third column.
xdotool key t
await "tile picker" picker
mouse_to $((2 * 33 + 17)) $((79 + 33 + 16))
sleep 0.2
xdotool click 1
await "Map Editor after picking" map_editor

paint_row
await "painted row" painted
keep painted
chord ctrl z
await "lawn again after undo" lawn
paint_row
await "row painted again" painted

xdotool key F2
await "save selector" selector
xdotool type --delay 20 garden
xdotool key Return
await "Map Editor after saving" painted
[ -f testmod/maps/garden.map ] || fail "no garden.map in the mod's maps folder"

xdotool key F9
await "test run" playing
keep run
xdotool keydown m keydown o keydown w
await "debug menu" debug_menu
xdotool keyup m keyup o keyup w
keys Down Return
await "level-complete picture" level_complete
xdotool key space
await "Map Editor after the run" painted
keep back

xdotool key Escape
await "exit question" confirming
xdotool key Return
await "tools menu after the Map Editor" menu

keys Down Return
await "Tile Editor" tile_editor
keep tile-editor
# Tile 0's pixel (5, 5), painted in the editor's starting white.
mouse_to $((2 + 5 * 14 + 7)) $((72 + 5 * 14 + 7))
sleep 0.1
xdotool mousedown 1
sleep 0.15
xdotool mouseup 1
mouse_to 700 600
sleep 0.2
saved_before=$(stat -c %Y.%s testmod/tiles/kelvane.til)
xdotool key F2
for _ in $(seq 1 25); do
  [ "$(stat -c %Y.%s testmod/tiles/kelvane.til)" != "$saved_before" ] && break
  sleep 0.2
done
xdotool key Escape
await "exit question" confirming
xdotool key Return
await "tools menu after the Tile Editor" menu

"$tools/xclose" "$game"
for _ in $(seq 1 50); do
  kill -0 "$GAME_PID" 2>/dev/null || break
  sleep 0.1
done
wait "$GAME_PID" && code=0 || code=$?
GAME_PID=
[ "$code" -eq 0 ] || fail "exit code $code"

# The map: title and time of a new map, bare soil in cells 3 to 10 of row
# 8 and uncut grass everywhere else.
layout=$("$tools/kelvane-tool" -base testmod decompile-level testmod/maps/garden.map) ||
  fail "garden.map does not load"
[ "$(sed -n 1p <<<"$layout")" = "title: New Map" ] || fail "map title: $(sed -n 1p <<<"$layout")"
[ "$(sed -n 3p <<<"$layout")" = "time: 90" ] || fail "map time: $(sed -n 3p <<<"$layout")"
rows=$(sed -n '7,22p' <<<"$layout")
expected=$(for r in $(seq 0 15); do
  if [ "$r" -eq "$PAINT_ROW" ]; then echo '...________..............'; else echo '.........................'; fi
done)
[ "$rows" = "$expected" ] || fail "map cells:
$rows"

[ "$(stat -c %s testmod/savegames/mapeditor.sav 2>/dev/null)" = 26 ] || fail "no 26-byte mapeditor.sav"
[ ! -e testmod/savegames/000.sav ] || fail "the test run saved to the player's first slot"
[ ! -e base/maps/garden.map ] && [ ! -e base/savegames ] || fail "the editors wrote into base"

# The tileset: exactly one pixel differs from the shipped one.
"$tools/kelvane-tool" export-tilesheet base/tiles/kelvane.til shipped.png >/dev/null
"$tools/kelvane-tool" export-tilesheet testmod/tiles/kelvane.til edited.png >/dev/null
changed=$(compare -metric AE shipped.png edited.png diff.png 2>&1 || true)
[ "$changed" = 1 ] || fail "$changed pixels of the tileset changed, not 1"
pixel=$(convert edited.png -format '%[fx:int(255*p{5,5}.r)] %[fx:int(255*p{5,5}.g)] %[fx:int(255*p{5,5}.b)]' info:)
[ "$pixel" = "255 255 255" ] || fail "tile 0's pixel (5, 5) is $pixel, not white"
echo "editors: ok"
