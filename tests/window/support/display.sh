# Shared by the window tests: a private X display, the program started in a
# scratch copy of its run folder, and clean-up on exit.
#   source support/display.sh; start_display; ... ; (cleanup runs on exit)

set -euo pipefail

start_display() {
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X${n}-lock" ] || [ -e "/tmp/.X11-unix/X${n}" ] && continue
    # -noreset: a reset when the last client leaves would turn away a
    # client that connects at that moment.
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
    XVFB_PID=$!
    # Ours only while it lives: a server that lost the display to another
    # test started at the same moment ends at once, and the display that
    # answers then is the other test's.
    for _ in $(seq 1 50); do
      sleep 0.1
      kill -0 "$XVFB_PID" 2>/dev/null || break
      if xdpyinfo -display ":$n" >/dev/null 2>&1; then
        export DISPLAY=":$n"
        return 0
      fi
    done
    kill "$XVFB_PID" 2>/dev/null || true
  done
  echo "no free X display" >&2
  exit 1
}

# A scratch run folder: the built data, none of the developer's settings.
make_run_folder() {
  SCRATCH=$(mktemp -d /tmp/kelvane-window-test.XXXXXX)
  cp -r "$1/zavi3" "$SCRATCH/"
  cp -r "$1/base" "$SCRATCH/"
}

# An installed layout in $SCRATCH/prefix ($prefix, with $share): the game
# EXE and a copy of RUN_FOLDER's data without its saved games.  A copy, not
# a link: the game finds its data beside the file a link leads to, which
# would be the run folder.
make_installed_copy() {
  prefix=$SCRATCH/prefix
  share=$prefix/share/kelvane
  mkdir -p "$prefix/bin" "$share"
  cp "$1" "$prefix/bin/kelvane"
  cp -r "$2/zavi3" "$2/base" "$share/"
  rm -rf "$share/base/savegames"
}

# A mod folder of the scratch run folder's base/, without its saved games.
make_mod_folder() {
  cp -r base "$1" && rm -rf "$1/savegames"
}

# A level of plain grass between path edges on rows FIRST to LAST, compiled
# into the mod folder's maps/ with kelvane-tool (next to the game).
# Usage: make_lawn_level TOOL MOD FILE TITLE FIRST LAST
make_lawn_level() {
  local tool=$1 mod=$2 file=$3 title=$4 first=$5 last=$6 row
  {
    printf 'title: %s\nauthor: Kelvane tests\ntime: 300\nclouds: 0\nstart: 208 272\nmap:\n' "$title"
    for row in $(seq 0 15); do
      if [ "$row" -ge "$first" ] && [ "$row" -le "$last" ]; then
        echo '____.................____'
      else
        echo '_________________________'
      fi
    done
  } > "$SCRATCH/$file.txt"
  "$tool" -base "$mod" compile-level "$SCRATCH/$file.txt" "$mod/maps/$file" >/dev/null ||
    fail "the test lawn $file does not compile"
}

cleanup() {
  [ -n "${GAME_PID:-}" ] && kill "$GAME_PID" 2>/dev/null || true
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null || true
  [ -n "${SCRATCH:-}" ] && rm -rf "$SCRATCH"
  return 0
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}
