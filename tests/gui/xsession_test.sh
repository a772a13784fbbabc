#!/bin/bash
# SPDX-License-Identifier: MIT
# The end of a desktop session, with a real X session manager (xsm):
# xsession_test.sh CASE PROGRAM SMCLIENT. The program and a second, small
# client of the session (SMCLIENT) run under xsm on a private X server; a
# 30-second run is going when the session manager acts.
set -u
CASE=$1
PROGRAM=$2
SMCLIENT=$3
. "$(dirname "$0")/session.sh"
command -v xsm >/dev/null && command -v iceauth >/dev/null ||
    { echo "SKIP: xsm or iceauth is not installed"; exit 77; }

export HOME=$GUI_TMP/home
mkdir -p "$HOME"
# The session starts no client of its own: it only says where it listens.
echo "sh -c 'echo \$SESSION_MANAGER >$GUI_TMP/sm'" >"$HOME/.xsmstartup"

start_session
xsm >"$GUI_TMP/xsm.log" 2>&1 &
XSM_PID=$!
CLIENT_PID=""
trap 'kill_own "$CLIENT_PID" "$XSM_PID"; stop_session' EXIT
wait_for 10 test -s "$GUI_TMP/sm" || fail "xsm did not start"
# Its local socket only.
export SESSION_MANAGER=$(cut -d, -f1 "$GUI_TMP/sm")
export ICEAUTHORITY=$HOME/.ICEauthority
XSM_WIN=$(xdotool search --name '^xsm: ' | head -1)
[ -n "$XSM_WIN" ] || fail "no xsm window"
# Out of the way of the centred windows, so its buttons are never covered.
xdotool windowmove --sync "$XSM_WIN" 0 0

"$SMCLIENT" "$GUI_TMP/client.log" 2>"$GUI_TMP/client.err" &
CLIENT_PID=$!
wait_for 5 grep -q registered "$GUI_TMP/client.log" || fail "the second client did not register"

start_app "$PROGRAM"
expect_window Lullwick
start_run 0.5                   # 30 seconds

# xsm is driven by its window tree, never by offsets into its pixels: their
# sizes follow the machine's fonts. Its windows hold one form whose child
# windows are the widgets; widget ROW COL of window $1 is found by its place
# in that layout (rows top to bottom, then left to right).
widget() {
    local form
    form=$(xwininfo -children -id "$1" | awk '$1 ~ /^0x/ {print $1; exit}')
    xwininfo -children -id "$form" |
        sed -n 's/^ *\(0x[0-9a-f]*\) .* [0-9]*x\([0-9]*\)+\([0-9]*\)+\([0-9]*\) .*/\1 \4 \3 \2/p' |
        sort -k2,2n -k3,3n |
        awk -v r="$2" -v c="$3" '!row || $2 >= top + height / 2 {row++; col = 0; top = $2; height = $4}
            {col++} row == r && col == c {print $1}'
}
# The middle of window $1, in its own coordinates.
middle() { xwininfo -id "$1" | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print int(w / 2), int(h / 2)}'; }
press() {
    [ -n "$1" ] || fail "no such widget of xsm"
    xdotool mousemove --sync --window "$1" $(middle "$1") click 1
}
# The shown windows that no window manager frames (pop-up menus).
popups() {
    local w
    for w in $(xwininfo -root -children | awk '$1 ~ /^0x/ {print $1}'); do
        xwininfo -id "$w" | grep -q 'Override Redirect State: yes' &&
            xwininfo -id "$w" | grep -q IsViewable && echo "$w"
    done | sort
}
new_popup() { comm -13 <(echo "$1") <(popups) | grep .; }
# Holds xsm's Shutdown button (the last of its four) and lets go on item $1
# of the two its menu holds (With Checkpoint, Immediately).
shutdown_menu() {
    local button before menu x y w h
    button=$(widget "$XSM_WIN" 2 2)
    [ -n "$button" ] || fail "no Shutdown button"
    before=$(popups)
    xdotool mousemove --sync --window "$button" $(middle "$button") mousedown 1
    wait_for 5 new_popup "$before" || fail "no Shutdown menu"
    menu=$(new_popup "$before" | head -1)
    read -r x y w h <<<"$(client_area "$menu")"
    xdotool mousemove --sync $((x + w / 2)) $((y + h * (2 * $1 - 1) / 4)) mouseup 1
}
# Names the session and presses the first button ("Shutdown" or "Checkpoint")
# of xsm's dialog titled $1, with the save type it offers (Both). xsm saves
# nothing under an empty name.
dialog_ok() {
    wait_for 5 has_window "$1" || fail "no xsm dialog \"$1\""
    local w
    w=$(windows_named "$1" | head -1)
    press "$(widget "$w" 1 2)"  # the name field, beside its label
    typed test
    press "$(widget "$w" 4 1)"  # the row of buttons below the name and the two choices
}
# The session ended: the program within 2 s, xsm cleanly, the other client on Die.
session_ended() {
    local start
    start=$(now)
    wait_exit 2
    echo "the program ended $(elapsed_ms "$start") ms after the logout, status $(app_status)"
    wait_for 10 sh -c "! kill -0 $XSM_PID" || fail "xsm did not end"
    wait "$XSM_PID"
    local status=$?
    [ "$status" -eq 0 ] || fail "xsm ended with status $status"
    grep -q '^die$' "$GUI_TMP/client.log" || fail "the second client got no Die: $(tr '\n' ' ' <"$GUI_TMP/client.log")"
}
# A checkpoint: the save went through, and the run goes on. (A client's log
# starts with the save that xsm asks of every new client.)
run_goes_on() {
    wait_for 10 sh -c "[ \$(grep -c save-complete '$GUI_TMP/client.log') -gt $SAVES ]" ||
        fail "the save did not complete"
    sleep 1
    app_running && has_window "$RUN" || fail "a checkpoint ended the run"
    echo "saves seen by the other client: $(grep save-yourself "$GUI_TMP/client.log" | tr '\n' ';')"
}

SAVES=$(grep -c save-complete "$GUI_TMP/client.log")
case "$CASE" in
logout-term) kill -TERM "$XSM_PID" && session_ended ;;
logout-confirm)                 # with the "Confirm" box open over the run
    keys Tab space
    expect_window Confirm 5
    kill -TERM "$XSM_PID" && session_ended
    ;;
logout-die) shutdown_menu 2 && session_ended ;;              # Shutdown > Immediately
logout-both) shutdown_menu 1 && dialog_ok Shutdown && session_ended ;; # With Checkpoint
checkpoint-both)
    press "$(widget "$XSM_WIN" 2 1)"
    dialog_ok Checkpoint
    run_goes_on
    ;;
checkpoint-local) kill -USR1 "$XSM_PID" && run_goes_on ;;
*) fail "no such case: $CASE" ;;
esac
echo "PASS: $CASE"
