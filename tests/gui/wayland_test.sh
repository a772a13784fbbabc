#!/bin/bash
# SPDX-License-Identifier: MIT
# Whole-program tests on a real Wayland compositor: wayland_test.sh CASE PROGRAM
set -u
CASE=$1
PROGRAM=$2
HERE=$(dirname "$0")
. "$HERE/wayland_session.sh"

MAIN=Lullwick

# The window titled $1 shows more than a flat colour; with $2 = band, in its
# lower band, where the buttons are (a title bar alone does not count).
painted() {
    shoot "$1" "$GUI_TMP/shot.ppm" "${2:-}"
    local n
    n=$(python3 "$HERE/pixels.py" colours "$GUI_TMP/shot.ppm")
    echo "\"$1\": $n colours"
    [ "$n" -ge 8 ] || fail "the window \"$1\" is not painted ($n colours)"
}

case "$CASE" in
csd) start_session 'for_window [title="^Installing"] border csd' ;;
*) start_session ;;
esac
start_app "$PROGRAM"
expect_window "$MAIN"

case "$CASE" in
startup)
    line=$(window_line "$MAIN")
    [ "$(echo "$line" | cut -f2)" = io.github.lullwick.Lullwick ] || fail "app id: $line"
    # 5580 x 5100 twips of client area below the menu bar, at 96 dpi.
    read -r w h <<<"$(echo "$line" | cut -f5)"
    [ "$w" -eq 372 ] || fail "client width $w, not 372"
    [ "$h" -gt 340 ] && [ "$h" -lt 380 ] || fail "client height $h, not 340 + menu bar"
    painted "$MAIN"
    ;;
run)
    start=$(now)
    start_run 0.05              # 3 seconds
    no_window "$MAIN" || fail "the configuration window is still there"
    wait_exit 10
    [ "$(app_status)" -eq 0 ] || fail "exit status $(app_status)"
    echo "run of 3 ticks ended $(elapsed_ms "$start") ms after Start was typed"
    ;;
refuse-close)
    start_run 0.5               # 30 seconds
    in_session swaymsg "[title=\"^$RUN\$\"] kill" >/dev/null
    sleep 0.5
    app_running && has_window "$RUN" || fail "the compositor's close ended the run"
    # A refused close puts the focus on Cancel.
    cancel_no_then_yes "$RUN"
    ;;
about)
    keys alt+h
    sleep 0.3
    keys Up Return
    expect_window "About Lullwick" 5
    painted "About Lullwick"
    keys Escape
    wait_for 5 no_window "About Lullwick" || fail "Esc did not close the About box"
    sleep 0.3
    app_running && has_window "$MAIN" || fail "the program ended"
    ;;
painted | csd)
    start_run 0.5
    sleep 0.5
    painted "$RUN" band
    ;;
*)
    fail "no such case: $CASE"
    ;;
esac
echo "PASS: wayland $CASE"
