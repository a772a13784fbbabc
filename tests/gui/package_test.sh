#!/bin/bash
# SPDX-License-Identifier: MIT
# package_test.sh BUILD_DIR: builds the Debian package, installs it with apt,
# starts the installed program, checks its files, and removes it again.
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

(cd "$BUILD" && cpack -G DEB >cpack.log 2>&1) || { cat "$BUILD/cpack.log"; echo "FAIL: cpack"; exit 1; }
deb=$(ls "$BUILD"/lullwick_*.deb | head -1)
echo "package: $(basename "$deb")"
dpkg-deb -f "$deb" Depends

cleanup() { $SUDO dpkg -r lullwick >/dev/null 2>&1; }
trap cleanup EXIT
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-download "$deb" >"$BUILD/apt-install.log" 2>&1 ||
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q "$deb" >>"$BUILD/apt-install.log" 2>&1 ||
    { cat "$BUILD/apt-install.log"; echo "FAIL: apt-get install"; exit 1; }

for f in /usr/bin/lullwick /usr/share/applications/io.github.lullwick.Lullwick.desktop \
    /usr/share/metainfo/io.github.lullwick.Lullwick.metainfo.xml \
    /usr/share/icons/hicolor/16x16/apps/io.github.lullwick.Lullwick.png \
    /usr/share/icons/hicolor/32x32/apps/io.github.lullwick.Lullwick.png \
    /usr/share/icons/hicolor/scalable/apps/io.github.lullwick.Lullwick.svg; do
    [ -e "$f" ] || { echo "FAIL: the package has no $f"; exit 1; }
done

"$HERE/gui_test.sh" startup /usr/bin/lullwick || exit 1
"$HERE/gui_test.sh" close-main /usr/bin/lullwick || exit 1
echo "PASS: installed from the package and started"
