// SPDX-License-Identifier: MIT
// Linked into the Windows program and its benchmark baseline alone (see the
// CMakeLists.txt files). A statically linked Qt Widgets brings its common
// style's images (345 KB of PNGs: file-dialog, dock-window, media and
// title-bar icons) and registers them at start-up.
// The Windows style draws everything these three windows show, so the images
// are left out of the link, and this stands in for their registration. (The
// one image these windows could meet: the arrow of the menu bar's extension
// button, shown only in a window narrower than "File Help", which Windows'
// least window width is not at the usual text sizes.)
int qInitResources_qstyle() { return 1; }
