#!/bin/sh
# SPDX-License-Identifier: MIT
# run.sh BUILD: cross-builds the Windows check and a resource-only module from
# the program's resource script (configured into BUILD), and runs the check
# under Wine in a prefix of its own. Ends with "N passed, N failed".
set -eu
SRC=$(cd "$(dirname "$0")/../.." && pwd)
BUILD=$(cd "$1" && pwd)
OUT=$BUILD/windows
mkdir -p "$OUT"
CXX=x86_64-w64-mingw32-g++
$CXX -std=c++20 -municode -Wall -Wextra -Werror -O1 -I"$SRC" -static -o "$OUT/check.exe" \
    "$SRC/tests/windows/check.cpp" "$SRC/about_box/registry_win32.cpp" \
    "$SRC/about_box/registry_memory.cpp" "$SRC/toolkit/normal_file_win32.cpp" -lversion
x86_64-w64-mingw32-windres "$BUILD/generated/lullwick.rc" -o "$OUT/lullwick-rc.o"
# Resources alone: no code, no entry point.
x86_64-w64-mingw32-gcc -shared -nostdlib -Wl,-e,0 -o "$OUT/lullwick-res.dll" "$OUT/lullwick-rc.o"

WINE=$(command -v wine64 || command -v wine || true)
[ -x /usr/lib/wine/wine64 ] && WINE=/usr/lib/wine/wine64
[ -n "$WINE" ] || { echo "run.sh: no wine" >&2; exit 1; }
WINEPREFIX=$(mktemp -d)
trap 'rm -rf "$WINEPREFIX"' EXIT
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# A console program: no display, no window of Wine's own.
env -u DISPLAY -u WAYLAND_DISPLAY "$WINE" "$OUT/check.exe" "Z:$OUT/lullwick-res.dll" 2>"$OUT/wine.log" |
    tr -d '\r' | tee "$OUT/check.log"
grep -q '^[0-9]* passed, 0 failed$' "$OUT/check.log"
