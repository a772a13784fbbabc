#!/bin/bash
# SPDX-License-Identifier: MIT
# a11y_test.sh PROGRAM [de]: the program as a screen reader meets it. A
# private D-Bus session with the AT-SPI bus, the program with accessibility
# on, and a separate reader (a11y_check.py) asking the bus what it is told,
# step by step through a run driven with the keyboard. With de, on a German
# desktop: the toolkit's words are German, the program's own stay as they are.
set -u
PROGRAM=$1
LANGUAGE_CASE=${2:-}
HERE=$(dirname "$0")
. "$HERE/session.sh"
[ -x /usr/libexec/at-spi-bus-launcher ] && /usr/bin/python3 -c 'import pyatspi' 2>/dev/null ||
    { echo "SKIP: at-spi2-core or python3-pyatspi is not installed"; exit 77; }

start_session
export HOME=$GUI_TMP XDG_RUNTIME_DIR=$GUI_TMP
read -r DBUS_SESSION_BUS_ADDRESS DBUS_PID <<<"$(dbus-daemon --session --fork --print-address=1 --print-pid=1 | tr '\n' ' ')"
export DBUS_SESSION_BUS_ADDRESS
/usr/libexec/at-spi-bus-launcher --launch-immediately >"$GUI_TMP/atspi.log" 2>&1 &
LAUNCHER_PID=$!
# The session bus forked itself away: its PID stays its own until it is ended.
trap 'kill_own "$LAUNCHER_PID"; kill "$DBUS_PID" 2>/dev/null; stop_session' EXIT
check() { /usr/bin/python3 "$HERE/a11y_check.py" "$@" || exit 1; }

export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
if [ "$LANGUAGE_CASE" = de ]; then
    ls /usr/share/qt6/translations/qtbase_de.qm >/dev/null 2>&1 ||
        fail "Qt's translations (qt6-translations-l10n) are not installed"
    unset LC_ALL LC_MESSAGES
    export LANG=de_DE.UTF-8 LANGUAGE=de
    start_app "$PROGRAM"
    expect_window Lullwick
    start_run 0.5
    keys Tab space               # Cancel
    check box Confirm "Are you sure you want to cancel this installation?"
    check buttons Confirm Ja Nein
    keys Return                  # Yes, the default
    wait_exit 5
    echo "PASS: a11y de"
    exit 0
fi
start_app "$PROGRAM"
expect_window Lullwick
check main
check message locked

keys alt+h
sleep 0.3
keys Up Return                   # Help > About
expect_window "About Lullwick" 5
check about
keys Escape
wait_for 5 no_window "About Lullwick" || fail "the About box stayed"

keys Tab ctrl+a                  # the duration
typed "abc"
keys Tab Tab Return              # Start
check box Lullwick "Please enter the duration in minutes, for example 5 or 1.5."
keys Return
wait_for 5 windows_are Lullwick 1 || fail "the refusal stayed"
keys shift+Tab shift+Tab ctrl+a  # back from Start to the duration
typed "0.5"                      # 30 seconds
keys Tab Tab Tab Tab             # Quit, Start, the message, its choice
keys Down Down Down Down Down    # Custom Message
check message editable
keys Tab Tab Tab Tab Return      # round to Start, with no message
check box Lullwick "Please enter an install message or select a pre-existing one."
keys Return
wait_for 5 windows_are Lullwick 1 || fail "the refusal stayed"
keys Tab                         # from Start to the message
typed "Reticulating splines now"
keys shift+Tab Return            # Start
expect_window "$RUN" 5
start=$(now)
check run "$RUN" "Reticulating splines now"
check value 1
sleep $(echo "3.5 - $(elapsed_ms "$start") / 1000" | bc -l)
check value 10
keys Tab space                   # Cancel
check box Confirm "Are you sure you want to cancel this installation?"
keys Return                      # Yes
wait_exit 5
echo "PASS: a11y"
