#!/usr/bin/env bash
# End-to-end run of the real program: a private Xvfb (1024x768x24) with openbox,
# the program under dbus-run-session, driven by xdotool through XTEST.
#
#   window_test.sh PROGRAM
#
# Checks: the window appears, its title, the window manager's frame at 549x354
# centred on the screen, typing reaches the first box, Tab moves on to the next
# box and then to the compute button, Space on it writes both results, Esc ends
# the program with status 0. The program is read only through the screen: a box
# "shows text" when enough dark pixels appear inside its border, which a caret
# alone never gives. Everything started here is ended by pid on exit.
set -uo pipefail

program=${1:?usage: window_test.sh PROGRAM}

readonly screen_w=1024 screen_h=768
readonly outer_w=549 outer_h=354
readonly frame_x=$(((screen_w - outer_w) / 2)) frame_y=$(((screen_h - outer_h) / 2))
readonly min_client_w=543 min_client_h=327
# The tab control's place in the client area; boxes are placed relative to it.
readonly tab_x=9 tab_y=7
# left top width height of the boxes, relative to the tab control
readonly revenue_box=(19 96 110 30) cost_box=(151 95 110 30)
readonly profit_box=(388 80 110 30) margin_box=(388 115 110 30)
# Dark pixels inside a box: a caret gives at most about 2 x 22, a few bold
# digits several times that.
readonly ink_of_text=70 ink_of_nothing=50
readonly wait_window_s=20 wait_exit_s=5

checks=0 failures=0
pass() { checks=$((checks + 1)); echo "PASS: $*"; }
fail() { checks=$((checks + 1)); failures=$((failures + 1)); echo "FAIL: $*"; }
die() {
    fail "$*"
    echo "e2e: stopped early, $failures of $checks checks failed"
    exit 1
}

for tool in Xvfb openbox xdotool xwininfo xprop dbus-run-session import timeout; do
    command -v "$tool" >/dev/null || die "needed tool missing: $tool"
done
[ -x "$program" ] || die "program not found or not executable: $program"

work=$(mktemp -d "${TMPDIR:-/tmp}/quellmar-e2e.XXXXXX")
xvfb_pid='' openbox_pid='' bus_pid='' app_pid=''
stop() {
    local pid
    for pid in "$app_pid" "$bus_pid" "$openbox_pid" "$xvfb_pid"; do
        [ -n "$pid" ] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
    done
    rm -rf "$work"
}
trap stop EXIT
trap 'exit 130' INT TERM

# Waits up to $1 seconds for the command that follows to succeed.
wait_for() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        ((SECONDS < deadline)) || return 1
        sleep 0.05
    done
}

# --- display, window manager, program --------------------------------------
Xvfb -displayfd 3 -screen 0 "${screen_w}x${screen_h}x24" -nolisten tcp 3>"$work/display" \
    </dev/null >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
wait_for 10 grep -q '^[0-9]' "$work/display" || die "Xvfb did not start: $(tail -3 "$work/xvfb.log")"
export DISPLAY=":$(head -1 "$work/display")"
unset WAYLAND_DISPLAY QT_QPA_PLATFORM

# openbox with its stock configuration, whatever this user's own may say
mkdir -p "$work/config" "$work/cache" "$work/runtime"
chmod 700 "$work/runtime"
XDG_CONFIG_HOME="$work/config" XDG_CACHE_HOME="$work/cache" openbox </dev/null >"$work/openbox.log" 2>&1 &
openbox_pid=$!
wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
wait_for 10 wm_running || die "openbox did not start: $(tail -3 "$work/openbox.log")"

XDG_RUNTIME_DIR="$work/runtime" dbus-run-session -- \
    sh -c 'echo $$ >"$0.tmp" && mv "$0.tmp" "$0" && exec "$@"' "$work/app.pid" "$program" \
    </dev/null >"$work/app.log" 2>&1 &
bus_pid=$!
wait_for 10 test -s "$work/app.pid" || die "the program did not start under dbus-run-session"
app_pid=$(cat "$work/app.pid")

# --- the window ----------------------------------------------------------------
window=$(timeout "$wait_window_s" xdotool search --sync --onlyvisible --pid "$app_pid" 2>/dev/null | head -1)
[ -n "$window" ] || die "no window of the program was shown within ${wait_window_s} s: $(tail -3 "$work/app.log")"
pass "the program shows a window"

title=$(xdotool getwindowname "$window")
if [ "$title" = Quellmar ]; then pass "title is \"Quellmar\""; else fail "title is \"$title\", not \"Quellmar\""; fi

parent_of() { xwininfo -tree -id "$1" | sed -n 's/^ *Parent window id: \(0x[0-9a-f]*\).*/\1/p'; }
root=$(xwininfo -root | sed -n 's/^xwininfo: Window id: \(0x[0-9a-f]*\).*/\1/p')
# The frame is the program's top-level ancestor, the child of the root.
frame=$(printf '0x%x' "$window")
while parent=$(parent_of "$frame") && [ -n "$parent" ] && [ "$((parent))" != "$((root))" ]; do frame=$parent; done
geometry_of() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
        /^ *Width:/ {w=$NF} /^ *Height:/ {h=$NF} END {print w "x" h "+" x "+" y}'
}
expected_frame="${outer_w}x${outer_h}+${frame_x}+${frame_y}"
frame_is_expected() { [ "$(geometry_of "$frame")" = "$expected_frame" ]; }
if [ "$((frame))" = "$window" ]; then
    fail "the window was not reparented into a window manager frame"
elif wait_for 2 frame_is_expected; then
    pass "frame is $outer_w x $outer_h at ($frame_x,$frame_y)"
else
    fail "frame is $(geometry_of "$frame") (width x height + left + top), not $expected_frame"
fi

client=$(geometry_of "$window")
client_w=${client%%x*} client_h=${client#*x} client_h=${client_h%%+*}
if ((client_w >= min_client_w && client_h >= min_client_h)); then
    pass "client area ${client_w}x${client_h} holds the tab control and its margin"
else
    fail "client area ${client_w}x${client_h} is smaller than ${min_client_w}x${min_client_h}"
fi

# --- keyboard --------------------------------------------------------------------
# Dark pixels inside a box's border; the box is given relative to the tab control.
ink() {
    local left=$(($1 + tab_x + 3)) top=$(($2 + tab_y + 3)) width=$(($3 - 6)) height=$(($4 - 6))
    import -silent -window "$window" -crop "${width}x${height}+${left}+${top}" -depth 8 txt:- 2>/dev/null |
        awk -F'[(),]' 'NR > 1 && $3 < 128 && $4 < 128 && $5 < 128 { n++ }
                       END { print n + 0 }'
}
shows_text() { (($(ink "$@") >= ink_of_text)); }
# Checks that box $1 (an array name) goes from showing nothing to showing text
# when the keys in the remaining arguments are typed.
check_typing() {
    local what=$1
    local -n box=$2
    shift 2
    local before after
    before=$(ink "${box[@]}")
    "$@"
    if wait_for 3 shows_text "${box[@]}"; then
        after=$(ink "${box[@]}")
        if ((before <= ink_of_nothing)); then pass "$what (dark pixels $before -> $after)"
        else fail "$what: the box was not empty before ($before dark pixels)"; fi
    else
        fail "$what: the box shows no text ($before -> $(ink "${box[@]}") dark pixels)"
    fi
}

timeout 5 xdotool windowactivate --sync "$window" >/dev/null 2>&1 ||
    fail "the window could not be activated"

check_typing "typing \"12.5\" reaches 销售额收入编辑框1" revenue_box xdotool type --delay 30 12.5
check_typing "Tab moves to 销售成本编辑框2 and typing \"10\" reaches it" cost_box \
    xdotool key --delay 30 Tab type --delay 30 10

profit_before=$(ink "${profit_box[@]}") margin_before=$(ink "${margin_box[@]}")
xdotool key --delay 30 Tab key --delay 30 space
if wait_for 3 shows_text "${profit_box[@]}" && wait_for 1 shows_text "${margin_box[@]}" &&
    ((profit_before <= ink_of_nothing && margin_before <= ink_of_nothing)); then
    pass "Tab moves to 毛利率计算结果 and Space on it writes 毛利额编辑框3 and 毛利率编辑框4"
else
    fail "Tab then Space did not fill 毛利额编辑框3 and 毛利率编辑框4 (dark pixels" \
        "$profit_before -> $(ink "${profit_box[@]}"), $margin_before -> $(ink "${margin_box[@]}"))"
fi

if ((failures)); then
    import -silent -window "$window" "$PWD/e2e-failure.png" 2>/dev/null &&
        echo "the window as it was: $PWD/e2e-failure.png"
fi

# --- Esc ends the program ----------------------------------------------------------
xdotool key Escape
running() { kill -0 "$bus_pid" 2>/dev/null; }
if wait_for "$wait_exit_s" eval '! running'; then
    wait "$bus_pid"
    status=$?
    bus_pid='' app_pid=''
    if ((status == 0)); then pass "Esc ends the program with status 0"
    else fail "Esc ends the program with status $status, not 0: $(tail -3 "$work/app.log")"; fi
else
    fail "the program was still running ${wait_exit_s} s after Esc"
fi

if ((failures)); then
    echo "e2e: $failures of $checks checks failed"
    exit 1
fi
echo "e2e: all $checks checks passed"
