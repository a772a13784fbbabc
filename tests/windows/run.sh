#!/bin/sh
# SPDX-License-Identifier: MIT
# run.sh BUILD WINDOWS_BUILD: the Windows side under Wine, from the zip in
# WINDOWS_BUILD as a user unpacks it. First a check, cross-built into BUILD,
# of the Win32 layer (registry, file test) and of Lullwick.exe's version
# record and icon group; then the program itself, driven from outside by the
# whole-program driver's wine_ cases. Ends with "N passed, N failed" over both.
set -eu
SRC=$(cd "$(dirname "$0")/../.." && pwd)
BUILD=$(cd "$1" && pwd)
ZIP=$(cd "$2" && ls "$PWD"/Lullwick-*-windows-x86_64.zip | tail -1)
OUT=$BUILD/windows
rm -rf "$OUT"
mkdir -p "$OUT"
CXX=x86_64-w64-mingw32-g++
$CXX -std=c++20 -municode -Wall -Wextra -Werror -O1 -I"$SRC" -static -o "$OUT/check.exe" \
    "$SRC/tests/windows/check.cpp" "$SRC/about_box/registry_win32.cpp" \
    "$SRC/tests/registry_memory.cpp" "$SRC/toolkit/normal_file_win32.cpp" -lversion
(cd "$OUT" && cmake -E tar xf "$ZIP")
EXE=$(ls "$OUT"/Lullwick-*/Lullwick.exe)

WINE=$(command -v wine64 || command -v wine || true)
[ -x /usr/lib/wine/wine64 ] && WINE=/usr/lib/wine/wine64
[ -n "$WINE" ] || { echo "run.sh: no wine" >&2; exit 1; }
WINEPREFIX=$OUT/prefix
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# A console program: no display, no window of Wine's own.
env -u DISPLAY -u WAYLAND_DISPLAY "$WINE" "$OUT/check.exe" "Z:$EXE" 2>"$OUT/wine.log" |
    tr -d '\r' | tee "$OUT/check.log"
WINEPREFIX=$WINEPREFIX wineserver -k 2>/dev/null || true
passed=$(sed -n 's/^\([0-9]*\) passed, \([0-9]*\) failed$/\1/p' "$OUT/check.log")
failed=$(sed -n 's/^\([0-9]*\) passed, \([0-9]*\) failed$/\2/p' "$OUT/check.log")
[ -n "$passed" ] || { passed=0; failed=1; }

for case in $("$SRC/tests/gui/driver.py" --cases | tr ' ' '\n' | grep '^wine_'); do
    if "$SRC/tests/gui/driver.py" "$case" "$EXE" >"$OUT/$case.log" 2>&1; then
        passed=$((passed + 1))
        echo "PASS: $case"
    else
        failed=$((failed + 1))
        sed "s/^/$case: /" "$OUT/$case.log"
    fi
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
