#!/bin/bash
# SPDX-License-Identifier: MIT
# What the X11 and the Wayland sessions of the tests share: their files in
# $GUI_TMP and their end, the clock, waiting, failing, the program's end, and
# Cancel's confirmation. Each session gives keys, expect_window, has_window
# and no_window their meaning there.

GUI_TMP=$(mktemp -d)
APP_PID=""

# Ends the program and the session's processes given, waits for them, and
# removes the session's files.
end_session() {
    kill_own "$APP_PID" "$@"
    wait 2>/dev/null
    rm -rf "$GUI_TMP"
}

# The title of a run's window.
RUN="Installing Microsoft Windows Service Pack"

fail() {
    echo "FAIL: $*" >&2
    [ -s "$GUI_TMP/app.log" ] && sed 's/^/app: /' "$GUI_TMP/app.log" >&2
    exit 1
}

now() { date +%s.%N; }
elapsed_ms() { echo "($(now) - $1) * 1000 / 1" | bc; }

# Waits up to $1 seconds for the command in the rest of the arguments to succeed.
wait_for() {
    local limit=$1
    shift
    local start
    start=$(now)
    until "$@" >/dev/null 2>&1; do
        [ "$(elapsed_ms "$start")" -gt $((limit * 1000)) ] && return 1
        sleep 0.05
    done
}

# Ends those of the given background processes that are still this shell's
# own. A process that has ended leaves its PID free, and PIDs come round
# again quickly on a busy machine (pid_max is often 32768): another test's X
# server may hold it by now.
kill_own() {
    local pid
    for pid in "$@"; do
        [ -n "$pid" ] && [ "$(ps -o ppid= -p "$pid" 2>/dev/null | tr -d ' ')" = "$$" ] &&
            kill "$pid" 2>/dev/null
    done
    return 0
}

# The program's exit status lands in $GUI_TMP/status.
app_running() { [ ! -e "$GUI_TMP/status" ]; }
app_status() { cat "$GUI_TMP/status"; }
wait_exit() {
    wait_for "$1" test -e "$GUI_TMP/status" || fail "the program did not end within $1 s"
}

# From the configuration window as it opens (the focus on the application):
# types the duration $1, in minutes, and presses Start; the run's window appears.
start_run() {
    keys Tab ctrl+a
    typed "$1"
    keys Tab Tab Return
    expect_window "$RUN" 5
}

# With the focus on Cancel of the run titled $1: Cancel then No goes on,
# Cancel then Yes ends the program with status 0.
cancel_no_then_yes() {
    keys space
    expect_window Confirm 5
    keys Escape                 # No
    wait_for 5 no_window Confirm || fail "the confirmation stayed open"
    sleep 0.5
    app_running && has_window "$1" || fail "Cancel then No ended the run"
    keys space
    expect_window Confirm 5
    local start
    start=$(now)
    keys Return                 # Yes, the default
    wait_exit 5
    [ "$(app_status)" -eq 0 ] || fail "exit status $(app_status)"
    echo "Cancel then Yes ended the program after $(elapsed_ms "$start") ms"
}
