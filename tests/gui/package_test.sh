#!/bin/bash
# SPDX-License-Identifier: MIT
# package_test.sh BUILD_DIR: builds the Debian packages, checks them with
# lintian, asks apt whether the package would install here (without
# installing it), then unpacks it into a folder of the build tree and checks
# its files and manual page there and starts the program from its desktop
# entry. Nothing is installed on this system: `make autopkgtest` does that.
set -u
BUILD=$(cd "$1" && pwd)
HERE=$(cd "$(dirname "$0")" && pwd)

# The unit tests have run already: built without them, as nocheck builds.
DEB_BUILD_OPTIONS=nocheck "$HERE/../../scripts/package" "$BUILD" >/dev/null ||
    { echo "FAIL: the package did not build"; exit 1; }
deb=$(ls "$BUILD"/lullwick_*.deb | head -1)
echo "package: $(basename "$deb")"
dpkg-deb -f "$deb" Depends Recommends Suggests

lintian --pedantic "$BUILD"/lullwick_*.changes 2>&1 | grep -v "running with root privileges" | tee "$BUILD/lintian.log"
! grep -q '^[EW]: ' "$BUILD/lintian.log" || { echo "FAIL: lintian has errors or warnings"; exit 1; }

# What apt would do, only simulated: every dependency is to be had.
apt-get install -s -q "$deb" >"$BUILD/apt-simulate.log" 2>&1 ||
    { cat "$BUILD/apt-simulate.log"; echo "FAIL: apt could not install the package"; exit 1; }

ROOT=$BUILD/package-root
rm -rf "$ROOT"
dpkg-deb -x "$deb" "$ROOT"
for f in /usr/games/lullwick /usr/share/man/man6/lullwick.6.gz /usr/share/doc/lullwick/copyright \
    /usr/share/applications/io.github.lullwick.Lullwick.desktop \
    /usr/share/metainfo/io.github.lullwick.Lullwick.metainfo.xml \
    /usr/share/icons/hicolor/16x16/apps/io.github.lullwick.Lullwick.png \
    /usr/share/icons/hicolor/32x32/apps/io.github.lullwick.Lullwick.png \
    /usr/share/icons/hicolor/scalable/apps/io.github.lullwick.Lullwick.svg; do
    [ -e "$ROOT$f" ] || { echo "FAIL: the package has no $f"; exit 1; }
done

man -l -P cat "$ROOT/usr/share/man/man6/lullwick.6.gz" 2>/dev/null | grep -q "HOW A RUN ENDS" ||
    { echo "FAIL: the manual page does not read as man 6 lullwick"; exit 1; }
# Started as the desktop starts it: the entry's command, looked up in PATH.
command=$(sed -n 's/^Exec=//p' "$ROOT/usr/share/applications/io.github.lullwick.Lullwick.desktop")
program=$(PATH=$ROOT/usr/local/bin:$ROOT/usr/bin:$ROOT/bin:$ROOT/usr/games command -v "$command") ||
    { echo "FAIL: the desktop entry's command $command is not in the package's PATH"; exit 1; }
"$HERE/driver.py" gui_startup "$program" "$BUILD/tests" || exit 1
"$HERE/driver.py" gui_close-main "$program" "$BUILD/tests" || exit 1
echo "PASS: built, checked by lintian, installable, unpacked, started from its desktop entry"
