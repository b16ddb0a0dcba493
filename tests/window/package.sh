#!/usr/bin/env bash
# The Debian package as a player gets it.  cpack makes
# kelvane_1.3-1_<arch>.deb: section games with the programs in /usr/games,
# library dependencies worked out from the binaries, stripped programs
# without a library path, the copyright file and compressed manual pages,
# all owned by root, and lintian finds no error in it.  Unpacked into a scratch root and started from an ordinary
# folder with a home of its own, the game shows the same main menu as the
# run folder's game, writes its settings under that home and nothing inside
# the unpacked tree.
# Usage: package.sh KELVANE_EXE RUN_FOLDER
here=$(dirname "$(readlink -f "$0")")
source "$here/support/display.sh"
exe=$1
build=$(dirname "$(dirname "$exe")")

start_display
make_run_folder "$2"
cd "$SCRATCH"

cpack --config "$build/CPackConfig.cmake" -B "$SCRATCH/out" > cpack.log 2>&1 || fail "cpack: $(cat cpack.log)"
deb=$SCRATCH/out/kelvane_1.3-1_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "no $(basename "$deb"), cpack made: $(ls "$SCRATCH/out")"

field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Package) $(field Version) $(field Section)" = "kelvane 1.3-1 games" ] ||
  fail "control: $(field Package) $(field Version) $(field Section)"
[[ "$(field Maintainer)" =~ ^[^\<]+\ \<[^@\>]+@[^\>]+\>$ ]] || fail "maintainer: $(field Maintainer)"
depends=$(field Depends | tr ',' '\n' | sed 's/^ *//; s/ .*//')
for dependency in libsfml-graphics2.5 libdumb1 libopenal1 libc6 libstdc++6; do
  grep -qxF "$dependency" <<< "$depends" || fail "no dependency on $dependency: $(field Depends)"
done
contents=$(dpkg-deb --contents "$deb")
for f in usr/games/kelvane usr/games/kelvane-tool usr/share/doc/kelvane/copyright usr/share/doc/kelvane/changelog.Debian.gz \
  usr/share/man/man6/kelvane.6.gz usr/share/man/man1/kelvane-tool.1.gz usr/share/kelvane/base/maps/level01.map; do
  grep -q " \./$f\( \|$\)" <<< "$contents" || fail "$f is not in the package"
done
[ -z "$(awk '$2 != "root/root"' <<< "$contents")" ] || fail "files not owned by root: $(awk '$2 != "root/root"' <<< "$contents")"

# Lintian fails on errors only; its warnings go to the test's log.
code=0
lintian --tag-display-limit 0 "$deb" > lintian.out 2> lintian.err || code=$?
[ "$code" -eq 0 ] || fail "lintian ($code): $(cat lintian.out lintian.err)"
sed 's/^/  lintian: /' lintian.out

root=$SCRATCH/root
dpkg-deb -x "$deb" "$root"
for program in kelvane kelvane-tool; do
  [[ "$(file -b "$root/usr/games/$program")" == *", stripped"* ]] || fail "$program is not stripped"
  if readelf -d "$root/usr/games/$program" | grep -qE 'RPATH|RUNPATH'; then fail "$program carries a library path"; fi
done

# At 1024x768 the main menu hangs from (15, 15): its title panel is deep
# blue and its current row bright blue; rows are 48 pixels apart.  The
# picture behind them is compared too, so both games must show the same data.
SCREEN=$SCRATCH/screen.png
rgb() { convert "$SCREEN" -crop "$1" +repage -format '%[fx:int(255*mean.r)] %[fx:int(255*mean.g)] %[fx:int(255*mean.b)]\n' info:; }
main_menu_at() {
  local r g b
  read -r r g b < <(rgb 25x30+305+62)
  [ "$b" -gt 110 ] && [ "$g" -lt 70 ] && [ "$r" -lt 60 ] || return 1
  read -r r g b < <(rgb "25x30+305+$((140 + 48 * $1))")
  [ "$b" -gt 180 ] && [ "$g" -gt 90 ] && [ "$g" -lt 150 ] && [ "$r" -lt 110 ]
}
await_main_menu_at() {
  for _ in $(seq 1 50); do
    timeout 10 import -window "$game" "$SCREEN" && main_menu_at "$1" && return 0
    kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended before its main menu showed row $1"
    sleep 0.2
  done
  fail "no main menu with row $1 current"
}
# Starts a game, keeps the frame of its main menu as $1 and leaves by the
# menu's Exit, which saves every settings file.
play_to_main_menu() {
  local shot=$1 program=$2 code
  KELVANE_MESSAGEBOX=ok "$program" 2> "$SCRATCH/$(basename "$shot" .png).err" &
  GAME_PID=$!
  game=$(timeout 20 xdotool search --sync --onlyvisible --name '^Kelvane$' | head -n1) || fail "no window from $program"
  xdotool windowfocus --sync "$game"
  await_main_menu_at 0
  cp "$SCREEN" "$shot"
  for _ in 1 2 3 4 5; do
    xdotool key Down
    sleep 0.15
  done
  await_main_menu_at 5
  xdotool key Return
  wait "$GAME_PID" && code=0 || code=$?
  GAME_PID=
  [ "$code" -eq 0 ] || fail "$program: exit code $code after Exit"
}

play_to_main_menu "$SCRATCH/run-folder.png" "$exe"

# The unpacked game, from a folder that is no run folder, with a fresh home.
mkdir "$SCRATCH/elsewhere" "$SCRATCH/home"
tree_state() { find "$root" -printf '%P %y %s %T@ %m\n' | sort; }
before=$(tree_state)
cd "$SCRATCH/elsewhere"
HOME=$SCRATCH/home XDG_DATA_HOME='' play_to_main_menu "$SCRATCH/package.png" "$root/usr/games/kelvane"
if [ -n "${KELVANE_SCREENSHOT_DIR:-}" ]; then cp "$SCRATCH/package.png" "$KELVANE_SCREENSHOT_DIR/package-main-menu.png"; fi

# The same menu over the same picture: the two frames differ in no more
# than a few pixels (the pointer's hint, a frame of animation).
different=$(compare -metric AE -fuzz 8% "$SCRATCH/run-folder.png" "$SCRATCH/package.png" null: 2>&1) || true
[[ "$different" =~ ^[0-9]+$ ]] && [ "$different" -lt 2000 ] ||
  fail "the unpacked game's main menu differs from the run folder's in $different pixels"

user=$SCRATCH/home/.local/share/kelvane
grep -q '^width=1024$' "$user/zavi3.ini" 2>/dev/null || fail "no settings under the home: $(find "$SCRATCH/home")"
[ -f "$user/kelvane.ini" ] || fail "no kelvane.ini under the home: $(find "$SCRATCH/home")"
[ "$(tree_state)" = "$before" ] || fail "the game wrote inside the unpacked tree: $(diff <(echo "$before") <(tree_state))"
[ -z "$(ls -A "$SCRATCH/elsewhere")" ] || fail "the game wrote into its working folder: $(ls -A "$SCRATCH/elsewhere")"
echo "package: ok ($(basename "$deb"), $different pixels apart, $(grep -c '^W:' "$SCRATCH/lintian.out") lintian warnings)"
