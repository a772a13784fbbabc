#!/bin/bash
# SPDX-License-Identifier: MIT
# screenshots.sh PROGRAM GRAB OUTDIR: pictures of the three real windows,
# taken from the running program on a private X session.
set -u
PROGRAM=$1
GRAB=$2
OUT=$3
. "$(dirname "$0")/session.sh"
mkdir -p "$OUT"

# Saves the window titled $1, with its frame, to $2.
shoot() {
    local w
    w=$(windows_named "$1" | head -1)
    local g
    g=$(xwininfo -id "$w")
    local x y width height
    x=$(echo "$g" | awk '/Absolute upper-left X:/ {print $4}')
    y=$(echo "$g" | awk '/Absolute upper-left Y:/ {print $4}')
    width=$(echo "$g" | awk '/Width:/ {print $2}')
    height=$(echo "$g" | awk '/Height:/ {print $2}')
    # xwininfo gives the client area; take in the decorations around it.
    local extents
    extents=$(xprop -id "$w" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
    read -r left right top bottom <<<"${extents:-0 0 0 0}"
    "$GRAB" $((x - left)) $((y - top)) $((width + left + right)) $((height + top + bottom)) "$2" ||
        fail "could not save $2"
    echo "saved $2"
}

start_session
start_app "$PROGRAM"
expect_window "Lullwick"
sleep 0.5
shoot "Lullwick" "$OUT/configuration-window.png"

keys alt+h
sleep 0.3
keys Up Return
expect_window "About Lullwick" 5
sleep 0.5
shoot "About Lullwick" "$OUT/about-box.png"
keys Escape
wait_for 5 no_window "About Lullwick" || fail "the About box stayed open"

start_run 0.2                   # 12 seconds
sleep 6.5                       # half way
shoot "$RUN" "$OUT/progress-window.png"
keys Tab space
expect_window Confirm 5
keys Return
wait_exit 5
