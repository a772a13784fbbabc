#!/bin/sh
# SPDX-License-Identifier: MIT
# run.sh BUILD WINDOWS_BUILD: the Windows side under Wine, with WINDOWS_BUILD's
# Lullwick.exe as a user has it: alone in a folder of its own. First the
# exe itself (it imports only what Windows has; built again in another
# folder, from files of other times, it is the same to the byte; its zip
# has the notice of every third-party part linked in), then a check,
# cross-built into BUILD, of the Win32 layer (registry, file test) and of the
# exe's version record, icon group and manifest; then the program, driven
# from outside by the whole-program driver's wine_ cases. Ends with
# "N passed, N failed" over all of them.
set -eu
SRC=$(cd "$(dirname "$0")/../.." && pwd)
BUILD=$(cd "$1" && pwd)
WINBUILD=$(cd "$2" && pwd)
OUT=$BUILD/windows
rm -rf "$OUT"
mkdir -p "$OUT/alone"
cp "$WINBUILD/Lullwick.exe" "$OUT/alone/"
EXE=$OUT/alone/Lullwick.exe
passed=0 failed=0
result() {
    if [ "$1" -eq 0 ]; then passed=$((passed + 1)); echo "PASS: $2"; else failed=$((failed + 1)); echo "FAIL: $2"; fi
}

# What the exe loads is Windows' own: no Qt, compiler runtime or other DLL
# that would have to lie beside it.
SYSTEM="advapi32 authz comdlg32 d3d9 d3d11 d3d12 dwmapi dwrite dxgi gdi32 imm32 kernel32 msvcrt netapi32 ole32
oleaut32 setupapi shcore shell32 shlwapi user32 userenv uxtheme version winmm wtsapi32 ws2_32"
imports=$(x86_64-w64-mingw32-objdump -p "$EXE" | sed -n 's/^\tDLL Name: \(.*\)\.[dD][lL][lL]$/\1/p' | tr 'A-Z' 'a-z' | sort -u)
foreign=$(for dll in $imports; do
    case " $(echo $SYSTEM) " in *" $dll "*) ;; *) case $dll in api-ms-win-*) ;; *) printf '%s.dll ' "$dll" ;; esac ;; esac
done)
echo "imports: $(echo $imports)"
[ -z "$foreign" ] || echo "Lullwick.exe needs DLLs that Windows lacks: $foreign"
result "$([ -n "$imports" ] && [ -z "$foreign" ]; echo $?)" "imports"

# The same source and Qt in another folder, with files of other times (as a
# fresh checkout has them): the same exe.
mkdir "$OUT/again-src"
tar -C "$SRC" --exclude=./.git --exclude='./build*' -cf - . | tar -C "$OUT/again-src" -xmf -
"$OUT/again-src/scripts/windows" "$OUT/again" >"$OUT/again.log" 2>&1 || { tail -20 "$OUT/again.log"; exit 1; }
sha256sum "$EXE" "$OUT/again/Lullwick.exe"
cmp "$EXE" "$OUT/again/Lullwick.exe" && same=0 || same=1
result $same "same-bytes"

# The published sums: whoever builds this commit against this Qt gets them.
"$SRC/scripts/windows-sums" check "$WINBUILD" && published=0 || published=$?
[ "$published" -eq 2 ] || result "$published" "published-sums"

# Every third-party part that the link took into the exe has its notice in
# the zip, and the zip has no notice of a part that is not in the exe.
"$SRC/scripts/windows-licences" check "$WINBUILD/Lullwick.map" "$("$SRC/scripts/qt-windows")" \
    "$WINBUILD"/Lullwick-*-windows-x86_64.zip && notices=0 || notices=1
result $notices "licences"

CXX=x86_64-w64-mingw32-g++
$CXX -std=c++20 -municode -Wall -Wextra -Werror -O1 -I"$SRC" -static -o "$OUT/check.exe" \
    "$SRC/tests/windows/check.cpp" "$SRC/about_box/registry_win32.cpp" \
    "$SRC/tests/registry_memory.cpp" "$SRC/toolkit/normal_file_win32.cpp" -lversion

WINE=$(command -v wine64 || command -v wine || true)
[ -x /usr/lib/wine/wine64 ] && WINE=/usr/lib/wine/wine64
[ -n "$WINE" ] || { echo "run.sh: no wine" >&2; exit 1; }
WINEPREFIX=$OUT/prefix
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# A console program: no display, no window of Wine's own.
env -u DISPLAY -u WAYLAND_DISPLAY "$WINE" "$OUT/check.exe" "Z:$EXE" 2>"$OUT/wine.log" |
    tr -d '\r' | tee "$OUT/check.log"
WINEPREFIX=$WINEPREFIX wineserver -k 2>/dev/null || true
n=$(sed -n 's/^\([0-9]*\) passed, \([0-9]*\) failed$/\1/p' "$OUT/check.log")
m=$(sed -n 's/^\([0-9]*\) passed, \([0-9]*\) failed$/\2/p' "$OUT/check.log")
[ -n "$n" ] || { n=0; m=1; }
passed=$((passed + n)) failed=$((failed + m))

for case in $("$SRC/tests/gui/driver.py" --cases | tr ' ' '\n' | grep '^wine_'); do
    status=0
    "$SRC/tests/gui/driver.py" "$case" "$EXE" "$BUILD/tests" >"$OUT/$case.log" 2>&1 || status=$?
    if [ "$status" -eq 0 ]; then
        passed=$((passed + 1))
        echo "PASS: $case"
    elif [ "$status" -eq 77 ]; then
        grep '^SKIP' "$OUT/$case.log" | sed "s/^SKIP/SKIP: $case/"
    else
        failed=$((failed + 1))
        sed "s/^/$case: /" "$OUT/$case.log"
    fi
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
