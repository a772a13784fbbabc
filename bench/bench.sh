#!/bin/bash
# SPDX-License-Identifier: MIT
# bench.sh BUILD_DIR: start-up, memory, CPU, timing and size of the program,
# beside a bare Qt window built in the same tree, on a private X session.
# Each figure is the median of repeated runs. Prints a Markdown table.
set -u
BUILD=$1
PROGRAM=$BUILD/lullwick
BARE=$BUILD/bench/bench_bare
STARTS=${BENCH_STARTS:-11}  # start-ups measured of each
RUNS=${BENCH_RUNS:-3}       # whole 60-second runs
. "$(dirname "$0")/../tests/gui/session.sh"

median() { sort -n | awk '{a[NR] = $1} END {if (NR % 2) print a[(NR + 1) / 2]; else print (a[NR / 2] + a[NR / 2 + 1]) / 2}'; }
ns() { date +%s%N; }

# Prints "start-up-microseconds peak-rss-kB" for one start of $1.
one_start() {
    local mapped=$GUI_TMP/mapped
    rm -f "$mapped"
    # The time is taken as the first map is read, not when xev exits.
    (stdbuf -oL xev -root -event substructure | while read -r line; do
        case $line in MapNotify*) ns >"$mapped"; break ;; esac
    done) &
    local watcher=$!
    sleep 0.3
    local t0
    t0=$(ns)
    "$1" >/dev/null 2>&1 &
    local pid=$!
    wait_for 10 test -s "$mapped" || fail "$1 showed no window"
    local t1
    t1=$(cat "$mapped")
    sleep 0.5
    local rss
    rss=$(awk '/VmHWM/ {print $2}' "/proc/$pid/status")
    kill "$pid"
    wait "$pid" 2>/dev/null
    pkill -P "$watcher" 2>/dev/null
    wait "$watcher" 2>/dev/null
    echo "$(((t1 - t0) / 1000)) $rss"
}

# One whole run of 60 ticks driven by the keyboard. Prints
# "cpu-seconds lateness-ms run-rss-kB worst-tick-deviation-ms" (the last with strace only).
one_run() {
    local trace=$1
    rm -f "$GUI_TMP/cpu" "$GUI_TMP/exited"
    (
        TIMEFORMAT='%3U %3S'
        { time "$PROGRAM" >/dev/null 2>&1; } 2>"$GUI_TMP/cpu"
        ns >"$GUI_TMP/exited"
    ) &
    expect_window Lullwick 10
    local pid
    pid=$(pgrep -n -x lullwick)
    local tracer=""
    if [ "$trace" = yes ]; then
        strace -f -ttt -e trace=poll,ppoll -o "$GUI_TMP/strace" -p "$pid" 2>/dev/null &
        tracer=$!
        sleep 0.5
    fi
    keys Tab ctrl+a
    typed "1"
    keys Tab Tab
    local pressed
    pressed=$(ns)
    xdotool key Return
    expect_window "$RUN" 5
    sleep 2
    local rss
    rss=$(awk '/VmHWM/ {print $2}' "/proc/$pid/status")
    wait_for 70 test -s "$GUI_TMP/exited" || fail "the run did not end"
    local exited
    exited=$(cat "$GUI_TMP/exited")
    local cpu
    cpu=$(tail -1 "$GUI_TMP/cpu" | awk '{print $1 + $2}')
    local worst="-"
    if [ -n "$tracer" ]; then
        wait "$tracer" 2>/dev/null
        # Each tick wakes the event loop from a poll that timed out.
        worst=$(awk -v t0="$pressed" '/= 0 \(Timeout\)/ {
                    t = $2 - t0 / 1e9; k = int(t + 0.5); d = (t - k) * 1000; if (d < 0) d = -d;
                    if (!(k in best) || d < best[k]) best[k] = d
                } END {
                    for (k = 1; k <= 59; ++k) { if (!(k in best)) { print "missed tick " k; exit } if (best[k] > w) w = best[k] }
                    printf "%.1f", w
                }' "$GUI_TMP/strace")
    fi
    echo "$cpu $(((exited - pressed) / 1000000 - 60000)) $rss $worst"
}

start_session

for prog in "$BARE" "$PROGRAM"; do
    for _ in $(seq "$STARTS"); do one_start "$prog"; done >"$GUI_TMP/starts-$(basename "$prog")"
done
bare_ms=$(awk '{print $1 / 1000}' "$GUI_TMP/starts-bench_bare" | median)
app_ms=$(awk '{print $1 / 1000}' "$GUI_TMP/starts-lullwick" | median)
bare_kb=$(awk '{print $2}' "$GUI_TMP/starts-bench_bare" | median)
app_kb=$(awk '{print $2}' "$GUI_TMP/starts-lullwick" | median)

for _ in $(seq "$RUNS"); do one_run no; done >"$GUI_TMP/runs"
traced=$(one_run yes)
cpu=$(awk '{print $1}' "$GUI_TMP/runs" | median)
late=$(awk '{print $2}' "$GUI_TMP/runs" | median)
run_kb=$(awk '{print $3}' "$GUI_TMP/runs" | median)
worst=$(echo "$traced" | awk '{print $4}')

strip -o "$GUI_TMP/app" "$PROGRAM"
strip -o "$GUI_TMP/bare" "$BARE"
app_size=$(stat -c %s "$GUI_TMP/app")
bare_size=$(stat -c %s "$GUI_TMP/bare")

ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a / b}'; }
cat <<TABLE
| Measure | Lullwick | Bare Qt window | Ratio | Goal |
|---|---|---|---|---|
| Start-up to window mapped (ms, median of $STARTS) | $app_ms | $bare_ms | $(ratio "$app_ms" "$bare_ms") | within 10% of the bare window |
| Peak resident set, configuration window (MiB) | $(ratio "$app_kb" 1024) | $(ratio "$bare_kb" 1024) | $(ratio "$app_kb" "$bare_kb") | within 10% |
| Peak resident set, running progress window (MiB) | $(ratio "$run_kb" 1024) | $(ratio "$bare_kb" 1024) | $(ratio "$run_kb" "$bare_kb") | within 10% |
| CPU, user + system, whole 60-second run (s, median of $RUNS) | $cpu | | | under 0.1 s |
| End of a 60-tick run after Start (ms late, median of $RUNS) | $late | | | under 20 ms |
| Worst tick's distance from its whole second (ms, one traced run) | $worst | | | no drift |
| Stripped binary (KiB) | $(ratio "$app_size" 1024) | $(ratio "$bare_size" 1024) | $(ratio "$app_size" "$bare_size") | |
TABLE
