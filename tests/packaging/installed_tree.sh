#!/usr/bin/env bash
# `cmake --install` into a scratch prefix: the programs, the data as the
# build made it and none of what the game wrote in the run folder, the
# desktop entry and metainfo that pass their validators, icons, manual
# pages that cover the options and commands; the installed programs answer
# and the data tool works on the installed data from any folder.
# Usage: installed_tree.sh BUILD_FOLDER APP_ID
set -euo pipefail
build=$(readlink -f "$1")
id=$2
run=$build/run

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

work=$(mktemp -d /tmp/kelvane-installed-tree.XXXXXX)
planted=()
cleanup() {
  local f
  for f in "${planted[@]}"; do rm -f "$f"; done
  [ -n "${made_savegames:-}" ] && rmdir "$run/base/savegames" 2>/dev/null
  rm -rf "$work"
  return 0
}
trap cleanup EXIT
trap 'exit 1' HUP INT PIPE TERM

# What the game writes into a run folder's data while it is played there.
# Files already there are left alone; those made here go again at the end.
players_files=(
  "$run/base/savegames/installed-tree-test-$$.sav"
  "$run/base/$(printf '%08d_%06d' $$ $((RANDOM % 1000000))).png"
  "$run/base/$(printf '%08d_%06d_01' $$ $((RANDOM % 1000000))).png"
  "$run/zavi3/zavi3.ini"
  "$run/base/kelvane.ini"
  "$run/zavi3/scriptConsoleHistory.dat"
  "$run/base/installed-tree-test-$$.log"
)
[ -d "$run/base/savegames" ] || made_savegames=1
for f in "${players_files[@]}"; do
  [ -e "$f" ] && continue
  mkdir -p "$(dirname "$f")"
  echo "written by the game" > "$f"
  planted+=("$f")
done

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" > "$work/install.log" || fail "install failed: $(cat "$work/install.log")"
data=$prefix/share/kelvane

# The layout.
for f in bin/kelvane bin/kelvane-tool; do
  [ -x "$prefix/$f" ] || fail "$f not installed"
done
for f in share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
  share/icons/hicolor/256x256/apps/$id.png share/icons/hicolor/64x64/apps/$id.png \
  share/man/man6/kelvane.6.gz share/man/man1/kelvane-tool.1.gz \
  share/doc/kelvane/copyright share/doc/kelvane/changelog.Debian.gz \
  share/kelvane/base/game.ini share/kelvane/base/maps/level01.map share/kelvane/base/tiles/kelvane.til; do
  [ -s "$prefix/$f" ] || fail "$f not installed"
done

# The data: the run folder's, byte for byte, without the player's files.
for f in "${players_files[@]}"; do
  if [ -e "$data/${f#"$run/"}" ]; then fail "the game's own file ${f#"$run/"} was installed"; fi
done
if [ -e "$data/base/.made" ]; then fail "the build's stamp was installed"; fi
while IFS= read -r -d '' f; do
  rel=${f#"$data/"}
  cmp -s "$f" "$run/$rel" || fail "installed $rel differs from the run folder's"
done < <(find "$data" -type f -print0)
while IFS= read -r -d '' f; do
  rel=${f#"$run/"}
  [ -e "$data/$rel" ] && continue
  case "$rel" in
    base/.made | */savegames/* | *.ini | *.dat | *.log) ;;
    *) [[ "$(basename "$rel")" =~ ^[0-9]{8}_[0-9]{6}(_[0-9]+)?\.png$ ]] || fail "$rel was not installed" ;;
  esac
done < <(find "$run/base" "$run/zavi3" -type f -print0)
grep -q '^game.ini$' < <(ls "$data/base") || fail "the game's own game.ini was left out"

# Desktop entry and metainfo: valid, and naming each other, the program and the icon.
desktop=$prefix/share/applications/$id.desktop
metainfo=$prefix/share/metainfo/$id.metainfo.xml
desktop-file-validate "$desktop" > "$work/desktop.out" 2>&1 || fail "desktop-file-validate: $(cat "$work/desktop.out")"
if [ -s "$work/desktop.out" ]; then fail "desktop-file-validate warns: $(cat "$work/desktop.out")"; fi
appstreamcli validate --no-net --no-color "$metainfo" > "$work/metainfo.out" 2>&1 ||
  fail "appstreamcli validate: $(cat "$work/metainfo.out")"
grep -q '^Categories=Game;ArcadeGame;$' "$desktop" || fail "desktop entry is not in Game;ArcadeGame;"
exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
[ -x "$prefix/bin/$exec_name" ] || fail "the desktop entry starts $exec_name, which is not installed"
[ "$(sed -n 's/^Icon=//p' "$desktop")" = "$id" ] || fail "the desktop entry's icon is not $id"
grep -q "<id>$id</id>" "$metainfo" || fail "metainfo id is not $id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" || fail "metainfo launches no $id.desktop"
grep -q '<release version="1.3"' "$metainfo" || fail "metainfo has no release 1.3"
grep -q '<screenshot type="default">' "$metainfo" || fail "metainfo has no screenshot"

# Icons: square, the size their folder says, the mower's red body on green
# grass inside a rounded square with see-through corners.
rgba() { convert "$1" -format "%[fx:int(255*p{$2,$3}.r)] %[fx:int(255*p{$2,$3}.g)] %[fx:int(255*p{$2,$3}.b)] %[fx:int(255*p{$2,$3}.a)]\n" info:; }
for size in 256 64; do
  icon=$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png
  [ "$(identify -format '%m %wx%h' "$icon")" = "PNG ${size}x${size}" ] || fail "$size icon: $(identify "$icon")"
  read -r _ _ _ a < <(rgba "$icon" 1 1)
  [ "$a" -eq 0 ] || fail "$size icon: corner not see-through (alpha $a)"
  read -r r g b a < <(rgba "$icon" $((size / 2)) $((size * 70 / 256)))
  [ "$a" -eq 255 ] && [ "$r" -gt $((g + 80)) ] && [ "$r" -gt $((b + 80)) ] || fail "$size icon: no red bonnet ($r $g $b $a)"
  read -r r g b a < <(rgba "$icon" $((size * 37 / 256)) $((size / 2)))
  [ "$a" -eq 255 ] && [ "$g" -gt $((r + 20)) ] && [ "$g" -gt $((b + 40)) ] || fail "$size icon: no grass ($r $g $b $a)"
done

# Manual pages: clean for man, and covering the options, the files, the
# environment and every command the tool's help lists.
for page in man6/kelvane.6.gz man1/kelvane-tool.1.gz; do
  warnings=$(MANWIDTH=80 man --warnings -l "$prefix/share/man/$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "$page: $warnings"
done
game_page=$(MANWIDTH=200 man -l "$prefix/share/man/man6/kelvane.6.gz" 2>/dev/null)
for word in -base --help --version XDG_DATA_HOME '.local/share/kelvane' zavi3.ini kelvane.ini savegames \
  screenshot /share/kelvane KELVANE_MESSAGEBOX; do
  grep -qF -- "$word" <<< "$game_page" || fail "kelvane(6) does not mention $word"
done
tool_page=$(MANWIDTH=200 man -l "$prefix/share/man/man1/kelvane-tool.1.gz" 2>/dev/null)
commands=$("$prefix/bin/kelvane-tool" --help | sed -n 's/^  \([a-z][a-z-]*\).*/\1/p')
[ -n "$commands" ] || fail "kelvane-tool --help lists no commands"
for c in $commands -base --help --version; do
  grep -qE -- "(^| )$c( |$)" <<< "$tool_page" || fail "kelvane-tool(1) does not describe $c"
done

# The installed programs, started from a folder that is no run folder,
# with a home of their own.  They leave the installed tree as it was.
mkdir "$work/elsewhere" "$work/home"
export HOME=$work/home
unset XDG_DATA_HOME
tree_state() { find "$prefix" -printf '%P %y %s %T@ %m\n' | sort; }
before=$(tree_state)
cd "$work/elsewhere"
version=$(env -u DISPLAY "$prefix/bin/kelvane" --version) || fail "kelvane --version failed"
[ "$version" = "Kelvane 1.3" ] || fail "kelvane --version says $version"
env -u DISPLAY "$prefix/bin/kelvane" --help | grep -q -- '-base' || fail "kelvane --help tells nothing of -base"
[ "$("$prefix/bin/kelvane-tool" --version)" = "kelvane-tool 1.3" ] || fail "kelvane-tool --version"
info=$("$prefix/bin/kelvane-tool" info "$data/base/maps/level01.map") || fail "kelvane-tool info on the installed map"
grep -q '"kind": *"map"' <<< "$info" || fail "kelvane-tool info: $info"
# The tileset a map is drawn with comes from the installed data folder.
"$prefix/bin/kelvane-tool" render-map "$data/base/maps/level01.map" level01.png > /dev/null ||
  fail "kelvane-tool render-map with the installed tileset"
[ "$(identify -format '%wx%h' level01.png)" = "800x512" ] || fail "rendered map: $(identify level01.png)"
[ "$(tree_state)" = "$before" ] || fail "the programs changed the installed tree: $(diff <(echo "$before") <(tree_state))"
echo "installed tree: ok"
