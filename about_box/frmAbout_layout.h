// SPDX-License-Identifier: MIT
// The About box's design: place, client area, controls and texts.
#pragma once

#include "toolkit/layout.h"

namespace lw::about_layout {

inline constexpr const char* DesignCaption = "About Lullwick";
// The client area's place from the screen's top left, and its size.
inline constexpr tk::Twips ClientArea{2340, 1935, 2925, 2745};

inline constexpr tk::ControlRow Controls[] = {
    // name, container, caption, {left, top, width, height}, tab index
    {"picIcon", "frmAbout", "", {240, 240, 540, 540}, 1},
    {"cmdOK", "frmAbout", "OK", {240, 2280, 1020, 345}, 0},
    {"cmdSysInfo", "frmAbout", "&System Info...", {1560, 2280, 1155, 345}, 2},
    {"lblDisclaimer", "frmAbout", "Lullwick is for entertainment purposes only!", {120, 1560, 2535, 465}, 6},
    // A horizontal rule from (120, 2160) to (2760, 2160).
    {"Line1", "frmAbout", "", {120, 2160, 2640, 15}, -1},
    {"lblDescription", "frmAbout", "Fake installations, made with care.", {120, 1200, 2685, 330}, 3},
    {"lblTitle", "frmAbout", "Lullwick", {960, 240, 1725, 480}, 4},
    {"lblVersion", "frmAbout", "Version 1.0", {960, 720, 1725, 225}, 5},
};

inline constexpr const char* TitleFontFamily = "MS Sans Serif";
inline constexpr double TitleFontPoints = 13.5;
inline constexpr const char* SysInfoUnavailable = "System Information Is Unavailable At This Time";
inline constexpr const char* SysInfoExecutable = "\\MSINFO32.EXE";

} // namespace lw::about_layout
