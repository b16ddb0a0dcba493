#!/usr/bin/env bash
# Start-up reads "zavi3.ini" for the window it opens, and a failed start-up
# (a font missing) shows its error boxes and exits with code 1; missing icons
# or shaders are only reported.
# Usage: startup.sh KELVANE_EXE RUN_FOLDER
here=$(dirname "$(readlink -f "$0")")
source "$here/support/display.sh"
exe=$1
tools=$(dirname "$(dirname "$exe")")

start_display
make_run_folder "$2"
cd "$SCRATCH"

printf '[info]\nversion=1\n[video]\nwidth=320\nheight=200\nwindow=True\nfpsLimit=30\n' > zavi3.ini
KELVANE_MESSAGEBOX=yes "$exe" 2>/dev/null &
GAME_PID=$!
game=$(timeout 20 xdotool search --sync --onlyvisible --name '^Kelvane$' | head -n1) || fail "no game window"
geometry=$(xdotool getwindowgeometry "$game" | grep -o 'Geometry: [0-9x]*')
[ "$geometry" = "Geometry: 640x480" ] || fail "a 320x200 setting must open 640x480, got $geometry"
"$tools/xclose" "$game"
wait "$GAME_PID" && code=0 || code=$?
GAME_PID=
[ "$code" -eq 0 ] || fail "confirmed close exit code $code"
grep -q '^width=640$' zavi3.ini && grep -q '^height=480$' zavi3.ini || fail "raised size not written back"
grep -q '^fpsLimit=30$' zavi3.ini || fail "fpsLimit lost"

# Missing icons and shaders are reported on screen; the game still starts.
rm zavi3/textures/Icons.png zavi3/Shaders/TeamColour.frag
KELVANE_MESSAGEBOX=yes "$exe" 2>/dev/null &
GAME_PID=$!
game=$(timeout 20 xdotool search --sync --onlyvisible --name '^Kelvane$' | head -n1) || fail "no window without icons"
xdotool windowfocus --sync "$game"
sleep 0.3
xdotool key F12
# A busy machine may take seconds to show the first frame and save it.
for _ in $(seq 1 100); do
  compgen -G "./*.png" >/dev/null && break
  sleep 0.1
done
shot=$(ls ./*.png 2>/dev/null | head -n1)
[ -n "$shot" ] || fail "no screenshot without icons"
"$tools/xclose" "$game"
wait "$GAME_PID" || fail "start-up without icons did not end cleanly"
GAME_PID=
if [ -n "${KELVANE_SCREENSHOT_DIR:-}" ]; then cp "$shot" "$KELVANE_SCREENSHOT_DIR/missing-data.png"; fi

rm zavi3/fonts/RobotoMono-Regular.ttf
code=0
errors=$(KELVANE_MESSAGEBOX=ok timeout 20 "$exe" 2>&1 >/dev/null) || code=$?
[ "$code" -eq 1 ] || fail "missing font: exit code $code"
# The shader still missing is reported first, then the boxes.
expected="Error: Fragment shader file not found: zavi3\\Shaders\\TeamColour.frag
Error: Text::init: Unable to read mono font from zavi3\\fonts\\RobotoMono-Regular.ttf
Error: KVCore::init: loadFonts failed.
Error: KVCore::init failed."
[ "$(printf '%s\n' "$errors" | grep '^Error: ')" = "$expected" ] || fail "unexpected errors: $errors"
echo "start-up: ok"
