#!/bin/bash
# SPDX-License-Identifier: MIT
# Clock and waiting, shared by the X11 and the Wayland sessions of the tests.

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
