# The system message box on a real X display: answered with Return, Escape,
# the Y key and mouse clicks on either button.
#
#   bash message_box.sh <kelvane executable> <run folder>
#
# The box is shown by the msgbox_probe tool, built beside the run folder
# (<build>/run/kelvane -> <build>/msgbox_probe); the run folder itself is not
# used.  Needs Xvfb and xdotool.  With KELVANE_MSGBOX_SCREENSHOT set to a file
# name, a picture of the screen with the first box on it is saved there.

set -u

exe=${1:?usage: message_box.sh <kelvane executable> <run folder>}
build=$(dirname "$(dirname "$exe")")
probe=$build/msgbox_probe

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

[ -x "$probe" ] || fail "no probe at $probe"
command -v Xvfb >/dev/null || fail "Xvfb is not installed"
command -v xdotool >/dev/null || fail "xdotool is not installed"

work=$(mktemp -d)
xvfb_pid=
probe_pid=
cleanup() {
    [ -n "$probe_pid" ] && kill "$probe_pid" 2>/dev/null
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null
        wait "$xvfb_pid" 2>/dev/null
    fi
    rm -rf "$work"
}
trap cleanup EXIT

# A display of our own: the first free number from 90 to 99.
start_xvfb() {
    local n i
    for n in $(seq 90 99); do
        [ -e "/tmp/.X$n-lock" ] && continue
        [ -e "/tmp/.X11-unix/X$n" ] && continue
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
        xvfb_pid=$!
        for i in $(seq 1 100); do
            kill -0 "$xvfb_pid" 2>/dev/null || break
            if DISPLAY=":$n" timeout 5 xdotool getdisplaygeometry >/dev/null 2>&1; then
                export DISPLAY=":$n"
                return 0
            fi
            sleep 0.1
        done
        kill "$xvfb_pid" 2>/dev/null
        wait "$xvfb_pid" 2>/dev/null
        xvfb_pid=
    done
    return 1
}

start_xvfb || fail "could not start Xvfb on any display from :90 to :99"
echo "Xvfb on $DISPLAY"

# run_box <expected answer> <how>: shows a Yes/No box captioned "Confirm",
# answers it as told (key:<keysym> or click:yes / click:no) and checks what
# the probe printed.
run_box() {
    local expected=$1 how=$2 win answer width height x y
    env -u KELVANE_MESSAGEBOX timeout 20 "$probe" "Are you sure you want to close Kelvane ?" \
        >"$work/out" 2>"$work/err" &
    probe_pid=$!

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

    wait "$probe_pid"
    local rc=$?
    probe_pid=
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
