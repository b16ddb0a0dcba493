#!/usr/bin/env bash
# The game installed with its data read-only: bin/kelvane beside
# share/kelvane/{zavi3,base}, run with a fresh HOME and no XDG_DATA_HOME from
# a folder of no account.  It starts, F12 takes a screenshot, Play, slot 1 and
# Easy start a level that is driven for a while and left with Escape and a
# "Yes", and Exit ends it; the settings, the saved game and the screenshot
# are then in ~/.local/share/kelvane, and not a byte of the data folder nor
# of the starting folder has changed.
# Usage: read_only_data.sh KELVANE_EXE RUN_FOLDER
here=$(dirname "$(readlink -f "$0")")
source "$here/support/display.sh"
exe=$1
run_folder=$2

start_display
SCRATCH=$(mktemp -d /tmp/kelvane-window-test.XXXXXX)
KEEP_PREFIX=read-only-data
source "$here/support/screen.sh"
source "$here/support/game_screens.sh"
# The data folder is read-only; clean-up needs it writable again.
trap 'chmod -R u+w "$SCRATCH" 2>/dev/null; cleanup' EXIT

make_installed_copy "$exe" "$run_folder"
mkdir -p "$SCRATCH/home" "$SCRATCH/start"
chmod -R a-w "$share"
# Root writes through permissions, so the bytes are compared as well.
snapshot() { (cd "$share" && find . -printf '%y %m %s %p\n' | sort && find . -type f -print0 | sort -z | xargs -0 md5sum); }
before=$(snapshot)

user=$SCRATCH/home/.local/share/kelvane
cd "$SCRATCH/start"
env -u XDG_DATA_HOME HOME="$SCRATCH/home" KELVANE_MESSAGEBOX=yes "$prefix/bin/kelvane" 2>"$SCRATCH/stderr" &
GAME_PID=$!
game=$(timeout 20 xdotool search --sync --onlyvisible --name '^Kelvane$' | head -n1) ||
  fail "no game window: $(cat "$SCRATCH/stderr")"
xdotool windowfocus --sync "$game"



await "main menu" main_menu_at 0
keep main-menu
key F12
for _ in $(seq 1 50); do
  compgen -G "$user/*.png" >/dev/null && break
  sleep 0.1
done
compgen -G "$user/*.png" >/dev/null || fail "no screenshot in $user: $(ls -A "$user")"

key Return
await "slot list" sub_menu_at 0
key Return
await "skill list" sub_menu_at 0
key Return
await "level" playing
xdotool keydown Down
sleep 1
xdotool keyup Down
xdotool keydown Right
sleep 1.5
xdotool keyup Right
await "level after driving" playing
keep driving
key Escape
await "confirmation" dialog
key Return
await "main menu after the game" main_menu_at 0
key Down Down Down Down Down
await "Exit highlighted" main_menu_at 5
key Return
await_exit "Exit"

[ "$(stat -c %a "$user")" = 700 ] || fail "the user folder is open to others: $(stat -c %a "$user")"
grep -q '^\[video\]' "$user/zavi3.ini" || fail "no zavi3.ini in the user folder"
grep -q '^\[Other\]' "$user/kelvane.ini" || fail "no kelvane.ini in the user folder"
# "Kelvane Saved Game", version 1, level 0, skill Easy.
[ "$(od -An -tx1 -v "$user/base/savegames/000.sav" 2>/dev/null | tr -d ' \n')" = \
  12004b656c76616e652053617665642047616d65010000000000 ] || fail "no saved game in slot 1 of the user folder"
[ "$(snapshot)" = "$before" ] || fail "the data folder changed: $(diff <(echo "$before") <(snapshot) | head)"
[ -z "$(ls -A "$SCRATCH/start")" ] || fail "the game wrote where it was started: $(ls -A "$SCRATCH/start")"
echo "read-only data: ok"
