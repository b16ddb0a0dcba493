# The system message box on a real X display: answered with Return, Escape,
# the Y key and mouse clicks on either button.
#
#   bash message_box.sh <kelvane executable> <run folder>
#
# The box is shown by the msgbox_probe tool, built beside the run folder
# (<build>/run/kelvane -> <build>/msgbox_probe); the run folder itself is not
# used.  Needs Xvfb and xdotool.  With KELVANE_MSGBOX_SCREENSHOT set to a file
# name, a picture of the screen with the first box on it is saved there.

here=$(dirname "$(readlink -f "$0")")
source "$here/support/display.sh"

exe=${1:?usage: message_box.sh <kelvane executable> <run folder>}
probe=$(dirname "$(dirname "$exe")")/msgbox_probe
[ -x "$probe" ] || fail "no probe at $probe"

start_display
work=$(mktemp -d)
SCRATCH=$work
probe_pid=

# run_box <expected answer> <how>: shows a Yes/No box captioned "Confirm",
# answers it as told (key:<keysym> or click:yes / click:no) and checks what
# the probe printed.
run_box() {
    local expected=$1 how=$2 win answer width height x y
    env -u KELVANE_MESSAGEBOX timeout 20 "$probe" "Are you sure you want to close Kelvane ?" \
        >"$work/out" 2>"$work/err" &
    probe_pid=$!
    GAME_PID=$probe_pid

    win=$(timeout 20 xdotool search --sync --onlyvisible --name '^Confirm$' | head -n 1)
    [ -n "$win" ] || fail "$how: no window named Confirm appeared"
    timeout 20 xdotool windowfocus --sync "$win" || fail "$how: could not focus the box"

    if [ -n "${KELVANE_MSGBOX_SCREENSHOT:-}" ] && [ ! -e "$work/shot-taken" ]; then
        sleep 0.3
        timeout 20 import -window root "$KELVANE_MSGBOX_SCREENSHOT" && touch "$work/shot-taken"
    fi

    case $how in
    key:*)
        timeout 20 xdotool key "${how#key:}" || fail "$how: xdotool key failed"
        ;;
    click:*)
        # The buttons sit centred on the bottom edge, Yes left of the middle
        # and No right of it, each at least 84 by 26 pixels, 14 pixels up.
        eval "$(timeout 20 xdotool getwindowgeometry --shell "$win")"
        width=$WIDTH
        height=$HEIGHT
        if [ "${how#click:}" = yes ]; then x=$((width / 2 - 30)); else x=$((width / 2 + 30)); fi
        y=$((height - 24))
        timeout 20 xdotool mousemove --window "$win" "$x" "$y" click 1 || fail "$how: xdotool click failed"
        ;;
    esac

    local rc=0
    wait "$probe_pid" || rc=$?
    probe_pid=
    GAME_PID=
    answer=$(cat "$work/out")
    [ "$rc" -eq 0 ] || fail "$how: probe ended with code $rc (output '$answer', errors: $(cat "$work/err"))"
    [ "$answer" = "$expected" ] || fail "$how: expected '$expected', the probe printed '$answer'"
    echo "ok: $how -> $answer"
}

run_box Yes key:Return
run_box No key:Escape
run_box No click:no
run_box Yes click:yes
run_box Yes key:y
run_box No key:n

echo "PASS"
