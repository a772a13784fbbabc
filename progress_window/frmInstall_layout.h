// SPDX-License-Identifier: MIT
// The progress window's design: client area, controls and texts.
#pragma once

#include "toolkit/layout.h"

namespace lw::install_layout {

inline constexpr tk::Twips ClientArea{0, 0, 5265, 2040};

inline constexpr tk::ControlRow Controls[] = {
    // name, container, caption, {left, top, width, height}, tab index
    {"Frame1", "frmInstall", "", {120, 0, 5055, 1935}, 1},
    {"cmdCancel", "Frame1", "Cancel ", {2040, 1440, 855, 375}, 4},
    {"ProgressBar1", "Frame1", "", {240, 1080, 4335, 255}, 3},
    {"lblDescription", "Frame1", "Label1", {240, 240, 4335, 615}, 2},
    // Wholly below the client area: never seen, but first in the tab order,
    // so it holds the focus when the window appears.
    {"Picture1", "frmInstall", "", {240, 2400, 4935, 1215}, 0},
};

inline constexpr int TimerInterval = 1000; // ms: one tick a second
inline constexpr const char* CaptionPrefix = "Installing ";
inline constexpr const char* CancelPrompt = "Are you sure you want to cancel this installation?";
inline constexpr const char* CancelTitle = "Confirm";

} // namespace lw::install_layout
