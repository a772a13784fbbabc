#!/bin/bash
# SPDX-License-Identifier: MIT
# A private X session for whole-program tests: an Xvfb server on a free
# display, a window manager, and helpers to drive the real program from
# outside with the keyboard, as a person would. Sourced by the tests.
# Xvfb, the window manager and the program are always stopped, pass or fail.
# LULLWICK_TEST_WM names the window manager: openbox (the default), xfwm4,
# "mutter --x11" or kwin_x11.
set -u

. "$(dirname "${BASH_SOURCE[0]}")/common.sh"

XVFB_PID=""
WM_PID=""
TEST_WM=${LULLWICK_TEST_WM:-openbox}
WM_NAME=${TEST_WM%% *}
command -v "$WM_NAME" >/dev/null || fail "the window manager $WM_NAME is not installed"
# xfwm4, mutter and KWin read their settings over D-Bus: each gets a
# session bus of its own. Xvfb has no GL for xfwm4 to composite with.
case "$WM_NAME" in
xfwm4) WM_COMMAND="dbus-run-session -- xfwm4 --compositor=off" ;;
mutter | kwin_x11) WM_COMMAND="dbus-run-session -- $TEST_WM --replace" ;;
*) WM_COMMAND=$TEST_WM ;;
esac
stop_session() { end_session "$WM_PID" "$XVFB_PID"; }
trap stop_session EXIT

# Xvfb and the window manager, up to three tries. CI once saw all three
# tries on display :0 fail for 10 s each, and a fresh Debian 13 system saw openbox
# refused by a server that xdpyinfo had just reached. So each try takes a
# display number of its own from a wide range (the server refuses one that
# is in use and the next try takes another), the server does not reset when
# the probe, its first client, leaves, and a failed try says which step
# failed and how the display looked.
X_STEP=""
start_x() {
    local display=$((100 + RANDOM % 800))
    export DISPLAY=":$display"
    Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp -noreset >"$GUI_TMP/xvfb.log" 2>&1 &
    XVFB_PID=$!
    X_STEP="$DISPLAY taking connections"
    wait_for 10 probe_x xdpyinfo || return 1
    $WM_COMMAND >"$GUI_TMP/wm.log" 2>&1 &
    WM_PID=$!
    X_STEP="$WM_NAME managing $DISPLAY"
    wait_for 20 probe_x wmctrl -m || return 1
    # openbox answers before it takes windows, and a window that asks to be
    # shown in those moments may never be (seen with xsm on a busy machine).
    # A probe window is asked again until the window manager has shown it.
    X_STEP="$WM_NAME showing windows on $DISPLAY"
    xmessage -name lullwick-probe probe >/dev/null 2>&1 &
    local probe=$! shown=0
    wait_for 10 probe_x probe_shown || shown=1
    kill_own "$probe"
    wait "$probe" 2>/dev/null
    return "$shown"
}
probe_shown() {
    local w
    w=$(xdotool search --classname '^lullwick-probe$' | head -1)
    [ -n "$w" ] || return 1
    xwininfo -id "$w" | grep -q IsViewable && return 0
    xdotool windowmap "$w"
    return 1
}
# Runs a probe; what it said last is kept for the report of a failed try.
probe_x() {
    kill -0 "$XVFB_PID" 2>/dev/null || return 2
    "$@" >"$GUI_TMP/probe.log" 2>&1
}

start_session() {
    local try
    for try in 1 2 3; do
        start_x && break
        {
            echo "X session, try $try: no $X_STEP"
            kill -0 "$XVFB_PID" 2>/dev/null || echo "Xvfb has ended"
            [ -n "$WM_PID" ] && ! kill -0 "$WM_PID" 2>/dev/null && echo "$WM_NAME has ended"
            for log in probe xvfb wm; do
                [ -e "$GUI_TMP/$log.log" ] && sed "s/^/$log: /" "$GUI_TMP/$log.log"
            done
            ls -la /tmp/.X11-unix/ 2>&1 | sed 's/^/socket dir: /'
        } >&2
        kill_own "$WM_PID" "$XVFB_PID"
        wait "$WM_PID" "$XVFB_PID" 2>/dev/null
        WM_PID="" XVFB_PID=""
        rm -f "$GUI_TMP/probe.log" "$GUI_TMP/wm.log"
        [ "$try" -eq 3 ] && fail "no X session with $WM_NAME could be started"
    done
    export QT_QPA_PLATFORM=xcb
    unset WAYLAND_DISPLAY
}

# Starts the program; its exit status lands in $GUI_TMP/status.
start_app() {
    ("$@" >"$GUI_TMP/app.log" 2>&1; echo $? >"$GUI_TMP/status") &
    APP_PID=$!
}


# Visible windows whose title is exactly $1.
windows_named() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null; }
window_count() { windows_named "$1" | wc -l; }
has_window() { [ "$(window_count "$1")" -ge 1 ]; }
no_window() { [ "$(window_count "$1")" -eq 0 ]; }
# Exactly $2 visible windows titled $1.
windows_are() { [ "$(window_count "$1")" -eq "$2" ]; }
is_active() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }

expect_window() {
    wait_for "${2:-10}" has_window "$1" || fail "no window \"$1\" appeared"
    # Let the window manager give it the focus before keys are sent.
    local w
    w=$(windows_named "$1" | head -1)
    wait_for 5 is_active "$w" || true
}

keys() { xdotool key --delay 40 "$@"; }
typed() { xdotool type --delay 30 "$1"; }


# The client area of window $1 as "x y width height" (xwininfo's numbers).
client_area() {
    xwininfo -id "$1" | awk '/Absolute upper-left X:/ {x=$4} /Absolute upper-left Y:/ {y=$4}
        /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}'
}
# The frame of window $1 (client area and the window manager's extents) is
# centred on the 1024 x 768 screen, within 2 pixels.
frame_centred() {
    local x y w h left right top bottom
    read -r x y w h <<<"$(client_area "$1")"
    read -r left right top bottom <<<"$(xprop -id "$1" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')"
    local dx=$(((x - left) * 2 + w + left + right - 1024)) dy=$(((y - top) * 2 + h + top + bottom - 768))
    echo "frame centre off by $((dx / 2)), $((dy / 2)) px"
    [ "${dx#-}" -le 4 ] && [ "${dy#-}" -le 4 ]
}
