#!/bin/bash
# SPDX-License-Identifier: MIT
# package_test.sh BUILD_DIR: builds the Debian packages, checks them with
# lintian, installs it with apt, starts the installed program, checks its
# files and manual page, and purges it again, leaving no file behind.
set -u
BUILD=$1
HERE=$(cd "$(dirname "$0")" && pwd)

if [ "$(id -u)" -eq 0 ]; then
    SUDO=""
elif sudo -n true 2>/dev/null; then
    SUDO="sudo -n"
else
    echo "SKIP: installing a package needs root or sudo"
    exit 77
fi
if dpkg-query -W -f='${db:Status-Status}' lullwick 2>/dev/null | grep -q '^installed$'; then
    echo "SKIP: a lullwick package is already installed here; not touching it"
    exit 77
fi

# The unit tests have run already: built without them, as nocheck builds.
DEB_BUILD_OPTIONS=nocheck "$HERE/../../scripts/package" "$BUILD" >/dev/null ||
    { echo "FAIL: the package did not build"; exit 1; }
deb=$(ls "$BUILD"/lullwick_*.deb | head -1)
echo "package: $(basename "$deb")"
dpkg-deb -f "$deb" Depends Recommends Suggests

if command -v lintian >/dev/null; then
    lintian --pedantic "$BUILD"/lullwick_*.changes 2>&1 | grep -v "running with root privileges" | tee "$BUILD/lintian.log"
    ! grep -q '^[EW]: ' "$BUILD/lintian.log" || { echo "FAIL: lintian has errors or warnings"; exit 1; }
else
    echo "SKIP: lintian is not installed; the package is not checked by it"
fi

cleanup() { $SUDO dpkg --purge lullwick >/dev/null 2>&1; }
trap cleanup EXIT
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-download "$deb" >"$BUILD/apt-install.log" 2>&1 ||
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q "$deb" >>"$BUILD/apt-install.log" 2>&1 ||
    { cat "$BUILD/apt-install.log"; echo "FAIL: apt-get install"; exit 1; }

for f in /usr/games/lullwick /usr/share/man/man6/lullwick.6.gz /usr/share/doc/lullwick/copyright \
    /usr/share/applications/io.github.lullwick.Lullwick.desktop \
    /usr/share/metainfo/io.github.lullwick.Lullwick.metainfo.xml \
    /usr/share/icons/hicolor/16x16/apps/io.github.lullwick.Lullwick.png \
    /usr/share/icons/hicolor/32x32/apps/io.github.lullwick.Lullwick.png \
    /usr/share/icons/hicolor/scalable/apps/io.github.lullwick.Lullwick.svg; do
    [ -e "$f" ] || { echo "FAIL: the package has no $f"; exit 1; }
done

man -P cat 6 lullwick 2>/dev/null | grep -q "HOW A RUN ENDS" || { echo "FAIL: man 6 lullwick"; exit 1; }
# Started as the desktop starts it: the entry's command, looked up in PATH.
command=$(sed -n 's/^Exec=//p' /usr/share/applications/io.github.lullwick.Lullwick.desktop)
program=$(PATH=/usr/local/bin:/usr/bin:/bin:/usr/games command -v "$command") ||
    { echo "FAIL: the desktop entry's command $command is not in PATH"; exit 1; }
"$HERE/driver.py" gui_startup "$program" "$BUILD/tests" || exit 1
"$HERE/driver.py" gui_close-main "$program" "$BUILD/tests" || exit 1

files=$(dpkg -L lullwick | grep -v '^/\.$')
$SUDO dpkg --purge lullwick >/dev/null || { echo "FAIL: purge"; exit 1; }
for f in $files; do
    [ -d "$f" ] || [ ! -e "$f" ] || { echo "FAIL: purge left $f behind"; exit 1; }
done
echo "PASS: checked, installed from the package, started from its desktop entry and purged"
