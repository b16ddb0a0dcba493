#!/usr/bin/env bash
# One worker of damaged_data.sh: on a display of its own, each case of a list
# damages one file of a fresh copy of the run folder, plays the fixed path
# with the player's files in place and writes one line of the table.
# Usage: damaged_case.sh KELVANE_EXE RUN_FOLDER PLAYER_FILES CASES TABLE
#   CASES: lines "NUMBER FILE HOW" (HOW: remove, half or random); a NUMBER of
#   0 is the undamaged control, whose player's files are then kept in
#   PLAYER_FILES.  TABLE gets "NUMBER FILE HOW RESULT DETAIL" lines; RESULT
#   is clean, named, or failed.
here=$(dirname "$(readlink -f "$0")")
source "$here/display.sh"
exe=$(readlink -f "$1")
run_folder=$(readlink -f "$2")
player=$(readlink -f "$3")
cases=$(readlink -f "$4")
table=$(readlink -f "$5")
tool=$(dirname "$(dirname "$exe")")/kelvane-tool
xclose=$(dirname "$(dirname "$exe")")/xclose

start_display
SCRATCH=$(mktemp -d /tmp/kelvane-damaged.XXXXXX)
KEEP_PREFIX=damaged
source "$here/screen.sh"
source "$here/game_screens.sh"


# Damaged data may change what the screens look like, so a screen that does
# not show up within a few seconds is only noted and the path goes on; a
# game that has ended stops the path.
seen=""
expect() {
  local what=$1
  shift
  for _ in $(seq 1 15); do
    kill -0 "$GAME_PID" 2>/dev/null || return 1
    if timeout 10 import -window "$game" "$SCREEN" 2>/dev/null && "$@"; then
      seen="$seen $what"
      return 0
    fi
    sleep 0.2
  done
  return 0
}

# The same bytes for the same case on every run.
random_bytes() { LC_ALL=C awk -v n="$1" -v seed="$2" 'BEGIN { srand(seed); for (i = 0; i < n; i++) printf "%c", int(rand() * 256) }'; }

damage() {
  local file=$1 how=$2 number=$3 size
  size=$(stat -c %s "$file")
  case $how in
    remove) rm "$file" ;;
    half) truncate -s $((size / 2)) "$file" ;;
    random) random_bytes "$size" "$((14000 + number))" > "$file.new" && mv "$file.new" "$file" ;;
  esac
}

# The window, or nothing once the game has ended without one.
find_window() {
  for _ in $(seq 1 150); do
    game=$(xdotool search --onlyvisible --name '^Kelvane$' 2>/dev/null | head -n1) && [ -n "$game" ] && return 0
    kill -0 "$GAME_PID" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}

drive() {
  find_window || return 0
  xdotool windowfocus --sync "$game" 2>/dev/null || true
  expect menu main_menu_at 0 || return 0
  key Return
  expect slots sub_menu_at 0 || return 0
  key Return
  expect skills sub_menu_at 0 || return 0
  key Return
  expect level playing || return 0
  xdotool keydown Down
  sleep 0.8
  xdotool keyup Down keydown Right
  sleep 1.2
  xdotool keyup Right
  key Escape
  expect confirmation dialog || return 0
  # An Escape lost while two games run on a busy machine is pressed once more.
  if [[ $seen != *confirmation* ]]; then
    key Escape
    expect confirmation dialog || return 0
  fi
  key Return
  expect menu-again main_menu_at 0 || return 0
  key Down Down Down Down Down
  expect exit-row main_menu_at 5 || return 0
  key Return
}

# Ends the game: it should have left by Exit; a game the path lost its way
# in is closed as by the window's close button, and one that ignores even
# that has hung.
gone_within() {
  for _ in $(seq 1 "$1"); do
    kill -0 "$GAME_PID" 2>/dev/null || return 0
    sleep 0.1
  done
  return 1
}
finish() {
  if ! gone_within 50; then
    [ -z "$game" ] || "$xclose" "$game" 2>/dev/null || true
    if ! gone_within 50; then
      kill -KILL "$GAME_PID" 2>/dev/null || true
      wait "$GAME_PID" 2>/dev/null || true
      GAME_PID=
      code=hung
      return
    fi
  fi
  wait "$GAME_PID" && code=0 || code=$?
  GAME_PID=
}

# What of the player's files is no longer as loadable as before.
player_files_problem() {
  local sav
  grep -q '^\[video\]' zavi3.ini 2>/dev/null || { echo "zavi3.ini lost its [video] section"; return; }
  grep -q '^\[Other\]' kelvane.ini 2>/dev/null || { echo "kelvane.ini lost its [Other] section"; return; }
  for sav in base/savegames/*.sav; do
    [ -e "$sav" ] || continue
    "$tool" check "$sav" >/dev/null 2>&1 || { echo "$sav no longer loads"; return; }
  done
  [ "$number" = 0 ] || cmp -s base/savegames/001.sav "$player/base/savegames/001.sav" ||
    { echo "the player's game in slot 2 changed"; return; }
  local stray
  stray=$(find . -name '*.tmp' | head -n1)
  [ -z "$stray" ] || echo "a temporary file was left behind: $stray"
}

run_case() {
  local number=$1 file=$2 how=$3 dir=$SCRATCH/run result detail problem errors
  rm -rf "$dir"
  mkdir "$dir"
  cp -r "$run_folder/zavi3" "$run_folder/base" "$dir/"
  rm -rf "$dir/base/savegames"
  [ "$number" = 0 ] || cp -r "$player/." "$dir/"
  cd "$dir"
  [ "$number" = 0 ] || damage "$file" "$how" "$number"

  seen=""
  game=""
  KELVANE_MESSAGEBOX=ok "$exe" 2>"$SCRATCH/stderr" &
  GAME_PID=$!
  drive
  finish
  # What the game said: errors it reported and messages it showed, both of
  # which it also writes to standard error.
  errors=$(grep -E '^(Error|Message): ' "$SCRATCH/stderr" || true)
  problem=$(player_files_problem)

  if [ "$code" = hung ]; then
    result=failed detail="hung, killed"
  elif [ "$code" -gt 128 ]; then
    result=failed detail="signal $((code - 128)): $(grep -m3 -E 'ERROR|SUMMARY|runtime error' "$SCRATCH/stderr" | tr '\n' ' ')"
  elif [ "$code" -gt 1 ]; then
    result=failed detail="exit code $code"
  elif [ -n "$problem" ]; then
    result=failed detail=$problem
  elif [ -n "$errors" ] && ! grep -qF "$(basename "$file")" <<<"$errors"; then
    result=failed detail="a message that does not name the file: $(head -n1 <<<"$errors")"
  elif [ -n "$errors" ]; then
    result=named detail="exit $code: $(grep -m1 -F "$(basename "$file")" <<<"$errors")"
  elif [ "$code" = 1 ]; then
    result=failed detail="exit code 1 without a message"
  else
    result=clean detail="exit 0, screens:$seen"
  fi
  if [ "$number" = 0 ]; then
    # The control must have gone all the way and left the player's files.
    [ "$result" = clean ] && [ "$seen" = " menu slots skills level confirmation menu-again exit-row" ] &&
      [ -s base/savegames/000.sav ] || result=failed detail="undamaged: $detail"
    # The player's game goes to slot 2, so slot 1 stays free for the path's
    # new game.
    mkdir -p "$player/base/savegames"
    cp zavi3.ini kelvane.ini "$player/" 2>/dev/null || true
    cp base/savegames/000.sav "$player/base/savegames/001.sav" 2>/dev/null || true
  fi
  echo "$number $file $how $result $detail" >>"$table"
  cd "$SCRATCH"
}

while read -r number file how; do
  run_case "$number" "$file" "$how"
done <"$cases"
