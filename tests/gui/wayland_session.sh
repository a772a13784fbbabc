#!/bin/bash
# SPDX-License-Identifier: MIT
# A private Wayland session for whole-program tests: sway on its headless
# backend, with wtype for keys, swaymsg for the window tree and grim for
# pixels. sway will not run as root, so as root the compositor, the tools and
# the program all run as the unprivileged user nobody. Sourced by the tests.
set -u

. "$(dirname "${BASH_SOURCE[0]}")/common.sh"

chmod 755 "$GUI_TMP"
SWAY_PID=""
WTYPE_PID=""
stop_session() { end_session "$WTYPE_PID" "$SWAY_PID"; }
trap stop_session EXIT

skip() {
    echo "SKIP: $*"
    exit 77
}

for tool in sway swaymsg wtype grim python3; do
    command -v "$tool" >/dev/null || skip "$tool is not installed"
done

RUNTIME=$GUI_TMP/runtime
mkdir -m 700 "$RUNTIME"
if [ "$(id -u)" -eq 0 ]; then
    chown nobody:nogroup "$RUNTIME"
    AS_USER=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
else
    AS_USER=()
fi
# A command in the session, as its user, with the session's environment only.
# (A prefix, not a function, so that a command started with & keeps its PID.)
IN_SESSION=("${AS_USER[@]}" env -i PATH=/usr/bin:/bin HOME="$RUNTIME" XDG_RUNTIME_DIR="$RUNTIME"
    WAYLAND_DISPLAY=wayland-1 SWAYSOCK="$RUNTIME/sway.sock" LANG=C.UTF-8)
in_session() { "${IN_SESSION[@]}" "$@"; }

# $1: extra sway configuration lines.
start_session() {
    cat >"$GUI_TMP/sway.conf" <<CONF
output HEADLESS-1 resolution 1024x768
default_border normal
xwayland disable
for_window [app_id=".*"] floating enable
${1:-}
CONF
    chmod 644 "$GUI_TMP/sway.conf"
    "${IN_SESSION[@]}" WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
        sway -c "$GUI_TMP/sway.conf" >"$GUI_TMP/sway.log" 2>&1 &
    SWAY_PID=$!
    wait_for 10 test -S "$RUNTIME/wayland-1" || { cat "$GUI_TMP/sway.log" >&2; fail "sway did not start"; }
    # sway opens its IPC socket where SWAYSOCK says.
    wait_for 10 test -S "$RUNTIME/sway.sock" || { cat "$GUI_TMP/sway.log" >&2; fail "sway has no IPC socket"; }
    wait_for 10 in_session swaymsg -t get_version || fail "sway does not answer"
    # Each wtype that exits takes the seat's keyboard away: one idles throughout.
    "${IN_SESSION[@]}" wtype -s 100000000 &
    WTYPE_PID=$!
}

# The program is copied where the session's user can run it.
start_app() {
    cp "$1" "$GUI_TMP/lullwick"
    chmod 755 "$GUI_TMP/lullwick"
    ("${IN_SESSION[@]}" "$GUI_TMP/lullwick" >"$GUI_TMP/app.log" 2>&1; echo $? >"$GUI_TMP/status") &
    APP_PID=$!
}

# The windows sway shows, one a line:
# title<TAB>app_id<TAB>x y w h (with the title bar)<TAB>focused<TAB>client w h
windows() {
    in_session swaymsg -r -t get_tree | python3 -c '
import json, sys
def walk(n):
    if n.get("pid"):
        r, c = n["rect"], n["window_rect"]
        print("%s\t%s\t%d %d %d %d\t%s\t%d %d" % (n.get("name"), n.get("app_id"),
              r["x"], r["y"], r["width"], r["height"], n.get("focused"), c["width"], c["height"]))
    for c in n.get("nodes", []) + n.get("floating_nodes", []):
        walk(c)
walk(json.load(sys.stdin))'
}
window_line() { windows | awk -F'\t' -v t="$1" '$1 == t'; }
has_window() { [ -n "$(window_line "$1")" ]; }
no_window() { [ -z "$(window_line "$1")" ]; }
is_focused() { [ "$(window_line "$1" | cut -f4)" = True ]; }
expect_window() {
    wait_for "${2:-10}" has_window "$1" || fail "no window \"$1\" appeared"
    wait_for 5 is_focused "$1" || true
    sleep 0.3
}

# Keys by their names; ctrl+x and alt+x hold the modifier over x.
keys() {
    local k
    for k in "$@"; do
        case $k in
        ctrl+*) in_session wtype -s 120 -M ctrl -k "${k#ctrl+}" -m ctrl ;;
        alt+*) in_session wtype -s 120 -M alt -k "${k#alt+}" -m alt ;;
        *) in_session wtype -s 120 -k "$k" ;;
        esac
    done
}
typed() { in_session wtype -s 120 "$1"; }

# Saves the window titled $1 (with its title bar) as a PPM file $2; or only
# its lower band, where the buttons are, with $3 = band.
shoot() {
    local r
    r=$(window_line "$1" | cut -f3)
    [ -n "$r" ] || fail "no window \"$1\" to shoot"
    read -r x y w h <<<"$r"
    [ "${3:-}" = band ] && { y=$((y + h - 48)); h=42; }
    in_session grim -t ppm -g "$x,$y ${w}x$h" - >"$2" || fail "grim could not read the screen"
}
