#!/bin/bash
# SPDX-License-Identifier: MIT
# Whole-program tests: gui_test.sh CASE PROGRAM
set -u
CASE=$1
PROGRAM=$2
. "$(dirname "$0")/session.sh"

# Start was refused: a message box titled like the window appears, OK closes
# it, and the configuration window is still there with no run started.
expect_refusal() {
    wait_for 5 windows_are Lullwick 2 || fail "no message box"
    keys Return
    wait_for 5 windows_are Lullwick 1 || fail "the message box stayed"
    sleep 0.3
    app_running || fail "the program ended"
    no_window "$RUN" || fail "a run started"
}

start_session
# Twice the pixels per inch: everything, fonts included, scales together.
[ "$CASE" = hidpi ] && export QT_SCALE_FACTOR=2
# A dark desktop theme: Qt's Adwaita style in its dark variant.
if [ "$CASE" = contrast-dark ]; then
    ls /usr/lib/*/qt6/plugins/styles/adwaita.so >/dev/null 2>&1 ||
        { echo "SKIP: Qt's Adwaita style (adwaita-qt6) is not installed"; exit 77; }
    export QT_STYLE_OVERRIDE=Adwaita-Dark
fi
start_app "$PROGRAM"
expect_window "Lullwick"

case "$CASE" in
startup)
    [ "$(window_count Lullwick)" -eq 1 ] || fail "expected exactly one window"
    w=$(windows_named Lullwick)
    geometry=$(xwininfo -id "$w")
    width=$(echo "$geometry" | awk '/Width:/ {print $2}')
    height=$(echo "$geometry" | awk '/Height:/ {print $2}')
    # 5580 x 5100 twips of client area below the menu bar, at 96 dpi.
    [ "$width" -eq 372 ] || fail "client width $width, not 372"
    [ "$height" -gt 340 ] && [ "$height" -lt 380 ] || fail "client height $height, not 340 + menu bar"
    wait_for 3 frame_centred "$w" || fail "the window is not centred: $(frame_centred "$w")"
    icons=$(xprop -id "$w" _NET_WM_ICON | grep -o 'Icon ([0-9]* x [0-9]*)' | sort -u | tr '\n' ' ')
    echo "$icons" | grep -q "16 x 16" && echo "$icons" | grep -q "32 x 32" || fail "window icons: $icons"
    ;;
hidpi)
    w=$(windows_named Lullwick)
    width=$(xwininfo -id "$w" | awk '/Width:/ {print $2}')
    [ "$width" -eq 744 ] || fail "client width $width at scale 2, not 744"
    ;;
run)
    # From the initial focus on the application, Tab to the duration.
    keys Tab ctrl+a
    typed "0.05"                # 3 seconds
    keys Tab Tab                # Quit, then Start
    start=$(now)
    keys Return
    expect_window "$RUN" 5
    no_window Lullwick || fail "the configuration window is still there"
    w=$(windows_named "$RUN")
    wait_for 3 frame_centred "$w" || fail "the progress window is not centred: $(frame_centred "$w")"
    wait_exit 10
    took=$(elapsed_ms "$start")
    [ "$(app_status)" -eq 0 ] || fail "exit status $(app_status)"
    echo "run of 3 ticks ended after $took ms (lateness $((took - 3000)) ms, key delay included)"
    [ "$took" -ge 2900 ] && [ "$took" -lt 4000 ] || fail "the run took $took ms"
    ;;
refuse-close)
    start_run 0.5               # 30 seconds
    # Cancel first holds the focus: a refused close puts it there too, but
    # KWin asks no window without a close button to close at all.
    keys Tab
    wmctrl -c "$RUN"
    sleep 0.5
    keys alt+F4
    sleep 0.5
    app_running && has_window "$RUN" || fail "a close request ended the run"
    cancel_no_then_yes "$RUN"
    ;;
bar)
    # A "5 minutes" run: the bar is set to 1 at the start (and again at 3 s),
    # then 2, 3, 4, 5, 6 at 6, 9, 12, 15 and 18 s. Its painted fill must
    # change at each of these steps, by one step's width (under 3 of the
    # groove's 285 pixels), never by two. Watched until six widths are seen.
    GRAB=$3
    start_run 5
    w=$(windows_named "$RUN")
    start=$(now)
    widths=""
    while [ "$(elapsed_ms "$start")" -lt 40000 ] && [ "$(echo "$widths" | wc -w)" -lt 6 ]; do
        read -r x y _ _ <<<"$(client_area "$w")"
        # ProgressBar1 lies at 24, 72 (289 x 17) in the client area.
        "$GRAB" $((x + 24)) $((y + 80)) 289 1 "$GUI_TMP/bar.ppm" 2>/dev/null || fail "no picture"
        fill=$(python3 "$(dirname "$0")/pixels.py" fill "$GUI_TMP/bar.ppm" 0 2 285)
        if [ "${widths##* }" != "$fill" ]; then
            [ -n "$widths" ] && [ $((fill - ${widths##* })) -gt 4 ] &&
                fail "the fill went from ${widths##* } to $fill pixels: a step was not painted"
            widths="$widths $fill"
        fi
        sleep 0.25
    done
    echo "fill widths seen in $(elapsed_ms "$start") ms:$widths"
    [ "$(echo "$widths" | wc -w)" -ge 6 ] || fail "the bar was painted at $(echo "$widths" | wc -w) widths, not 6"
    ;;
contrast | contrast-dark)
    # Each text against what is behind it, read from the screen: at least
    # 4.5:1. Boxes in pixels of the client area, inside each control.
    GRAB=$3
    readable() { # window name x y w h
        local x y w h shot=$GUI_TMP/text.ppm
        read -r x y w h <<<"$(client_area "$2")"
        [ "$4" -lt 0 ] && set -- "$1" "$2" "$3" $((h + $4)) "$5" "$6"
        "$GRAB" $((x + $3)) $((y + $4)) "$5" "$6" "$shot" 2>/dev/null || fail "no picture"
        local c
        c=$(python3 "$(dirname "$0")/pixels.py" contrast "$shot" 0 0 "$5" "$6")
        echo "$1: contrast $c:1"
        [ "$(echo "$c >= 4.5" | bc)" -eq 1 ] || fail "$1 is hard to read: $c:1"
    }
    sleep 0.5
    main=$(windows_named Lullwick)
    # txtMessage: 8, 248 (353 x 81) below the menu bar, which is above 340.
    readable txtMessage "$main" 12 -88 345 40
    read -r x y _ h <<<"$(client_area "$main")"
    menu=$((h - 340))
    # cmdStart: 272, 16 (65 x 25) in Frame1 at 8, 8.
    readable cmdStart "$main" 284 $((menu + 28)) 57 17
    # Frame1's border runs at half its caption's height, above Start: seen
    # in the column over Start's middle, from the frame's top to Start's.
    "$GRAB" $((x + 312)) $((y + menu + 8)) 1 16 "$GUI_TMP/frame.ppm" 2>/dev/null || fail "no picture"
    [ "$(python3 "$(dirname "$0")/pixels.py" colours "$GUI_TMP/frame.ppm")" -ge 2 ] ||
        fail "Frame1's border does not run above Start"
    keys alt+h
    sleep 0.3
    keys Up Return
    expect_window "About Lullwick" 5
    sleep 0.5
    about=$(windows_named "About Lullwick")
    readable lblTitle "$about" 64 16 115 32
    readable lblVersion "$about" 64 48 115 15
    readable lblDescription "$about" 8 80 179 22
    readable lblDisclaimer "$about" 8 104 169 31
    # cmdOK: 16, 152 (68 x 23); cmdSysInfo: 104, 152 (77 x 23).
    readable cmdOK "$about" 20 156 60 15
    readable cmdSysInfo "$about" 108 156 69 15
    keys Escape
    wait_for 5 no_window "About Lullwick" || fail "the About box stayed"
    start_run 0.5
    sleep 0.5
    # lblDescription: 24, 16 (289 x 41) in the frame at 8, 0.
    readable "the progress window's message" "$(windows_named "$RUN")" 24 16 289 41
    # cmdCancel: 136, 96 (57 x 25) in the frame.
    readable cmdCancel "$(windows_named "$RUN")" 148 100 49 17
    ;;
fixed-size)
    # Maximize and fullscreen, as a window manager's menu or keys ask for
    # them: the About box and the progress window keep their size and place.
    unchanged() { [ "$(client_area "$1")" = "$2" ] && ! xprop -id "$1" _NET_WM_STATE | grep -qE 'FULLSCREEN|MAXIMIZED'; }
    # Kept above or off the pager: each window manager does one of them for
    # any window (mutter ignores the pager for dialogs, xfwm4 "above" for a
    # fullscreen window).
    marked() { xprop -id "$1" _NET_WM_STATE | grep -qE 'ABOVE|SKIP_PAGER'; }
    unmarked() { ! marked "$1"; }
    stays_put() { # window, its name
        local state before
        for state in fullscreen maximized_vert,maximized_horz; do
            before=$(client_area "$1")
            wmctrl -i -r "$1" -b "add,$state"
            # The window manager takes requests in turn: once the window is
            # marked, the request before has been carried out.
            wmctrl -i -r "$1" -b add,above,skip_pager
            wait_for 5 marked "$1" || fail "the window manager did not answer"
            wait_for 5 unchanged "$1" "$before" ||
                fail "$2 went from $before to $(client_area "$1") on $state"
            wmctrl -i -r "$1" -b remove,above,skip_pager
            wait_for 5 unmarked "$1"
            echo "$2 kept $before against $state"
        done
    }
    keys alt+h
    sleep 0.3
    keys Up Return
    expect_window "About Lullwick" 5
    stays_put "$(windows_named "About Lullwick")" "the About box"
    keys Escape
    wait_for 5 no_window "About Lullwick" || fail "the About box stayed"
    start_run 0.5
    stays_put "$(windows_named "$RUN")" "the progress window"
    ;;
platform-theme)
    # The same window again under a platform theme (qt6ct, with nothing of
    # its own configured): its fonts stay the window's, so it looks the same.
    command -v qt6ct >/dev/null || fail "qt6ct is not installed"
    GRAB=$3
    shot() {
        local x y w h
        read -r x y w h <<<"$(client_area "$(windows_named Lullwick)")"
        "$GRAB" "$x" "$y" "$w" "$h" "$1" 2>/dev/null || fail "no picture"
    }
    # The text cursor blinks in the first field: the focus goes to Start.
    keys Tab Tab Tab Tab Tab Tab
    shot "$GUI_TMP/plain.ppm"
    wmctrl -c Lullwick
    wait_exit 5
    rm -f "$GUI_TMP/status"
    HOME=$GUI_TMP QT_QPA_PLATFORMTHEME=qt6ct start_app "$PROGRAM"
    expect_window Lullwick
    keys Tab Tab Tab Tab Tab Tab
    shot "$GUI_TMP/themed.ppm"
    changed=$(python3 "$(dirname "$0")/pixels.py" differ "$GUI_TMP/plain.ppm" "$GUI_TMP/themed.ppm")
    echo "under qt6ct, $changed % of the configuration window's pixels change"
    [ "$(echo "$changed < 1" | bc)" -eq 1 ] || fail "qt6ct changed $changed % of the window"
    ;;
bad-duration)
    keys Tab ctrl+a
    typed "abc"
    keys Tab Tab Return
    expect_refusal
    ;;
empty-message)
    keys Tab Tab Tab Tab Tab    # to the message choice
    keys Down Down Down Down Down # Message 2 ... Custom Message
    keys Tab Tab Tab Tab Return # round to Start
    expect_refusal
    ;;
about)
    keys alt+h
    sleep 0.3
    keys Up Return              # the last item of Help: About
    expect_window "About Lullwick" 5
    keys Escape
    wait_for 5 no_window "About Lullwick" || fail "Esc did not close the About box"
    sleep 0.3
    app_running && has_window Lullwick || fail "the program ended"
    ;;
close-main)
    wmctrl -c Lullwick
    wait_exit 5
    [ "$(app_status)" -eq 0 ] || fail "exit status $(app_status)"
    ;;
*)
    fail "no such case: $CASE"
    ;;
esac
echo "PASS: $CASE"
