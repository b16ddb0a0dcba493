#!/usr/bin/env bash
# The installed game whose player cannot write their saved games: first the
# savegames folder of the user folder is read-only, then the whole user
# folder.  Play, slot 1 and Easy start a level; the slot's error shows in a
# message at the level's start, OK closes it and the level is played, left
# with Escape and a "Yes", and Exit ends the game with code 0.  Nothing is
# written where it may not be.  Root writes through permissions, so as root
# the game runs as the user "nobody".
# Usage: read_only_saves.sh KELVANE_EXE RUN_FOLDER
here=$(dirname "$(readlink -f "$0")")
source "$here/support/display.sh"
exe=$1
run_folder=$2

start_display
SCRATCH=$(mktemp -d /tmp/kelvane-window-test.XXXXXX)
KEEP_PREFIX=read-only-saves
source "$here/support/screen.sh"
source "$here/support/game_screens.sh"
trap 'chmod -R u+w "$SCRATCH" 2>/dev/null; cleanup' EXIT

make_installed_copy "$exe" "$run_folder"
chmod -R a+rX "$SCRATCH"

as_player=()
player=$(id -u)
if [ "$player" -eq 0 ]; then
  as_player=(setpriv --reuid=nobody --regid=nogroup --clear-groups --)
  player=nobody
fi

listing() { (cd "$1" && find . -printf '%y %m %s %p\n' | sort); }

# Usage: play_once NAME HOME UNTOUCHED (the user folder already made as it
# should be; UNTOUCHED the folder the game cannot write to)
play_once() {
  local name=$1 home=$2 untouched=$3 before
  before=$(listing "$untouched")
  mkdir -p "$SCRATCH/start-$name"
  chown "$player" "$SCRATCH/start-$name"
  cd "$SCRATCH/start-$name"
  env -u XDG_DATA_HOME HOME="$home" KELVANE_MESSAGEBOX=ok "${as_player[@]}" "$prefix/bin/kelvane" \
    2>"$SCRATCH/stderr" &
  GAME_PID=$!
  game=$(timeout 20 xdotool search --sync --onlyvisible --pid "$GAME_PID" --name '^Kelvane$' | head -n1) ||
    fail "$name: no game window: $(cat "$SCRATCH/stderr")"
  xdotool windowfocus --sync "$game"

  await "$name: main menu" main_menu_at 0
  key Return
  await "$name: slot list" sub_menu_at 0
  key Return
  await "$name: skill list" sub_menu_at 0
  key Return
  await "$name: the slot's error" dialog
  keep "$name-error"
  key Return
  await "$name: level after the error" playing
  xdotool keydown Down
  sleep 1
  xdotool keyup Down
  await "$name: level after driving" playing
  keep "$name-driving"
  key Escape
  await "$name: confirmation" dialog
  key Return
  await "$name: main menu after the game" main_menu_at 0
  key Down Down Down Down Down
  await "$name: Exit highlighted" main_menu_at 5
  key Return
  await_exit "$name: Exit"
  [ "$(listing "$untouched")" = "$before" ] ||
    fail "$name: $untouched changed: $(diff <(echo "$before") <(listing "$untouched") | head)"
}

# The savegames folder read-only, the rest of the user folder as the game
# made it.
home=$SCRATCH/home-folder
mkdir -p "$home/.local/share/kelvane/base/savegames"
chown -R "$player" "$home"
chmod 700 "$home/.local/share/kelvane"
chmod 555 "$home/.local/share/kelvane/base/savegames"
play_once savegames "$home" "$home/.local/share/kelvane/base/savegames"
grep -q '^\[video\]' "$home/.local/share/kelvane/zavi3.ini" || fail "savegames: the settings were not kept"

# The whole user folder read-only: not even the settings can be kept.
home=$SCRATCH/home-user
mkdir -p "$home/.local/share/kelvane"
chown -R "$player" "$home"
chmod 555 "$home/.local/share/kelvane"
play_once user-folder "$home" "$home/.local/share/kelvane"
echo "read-only saves: ok"
