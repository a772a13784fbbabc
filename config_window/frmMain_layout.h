// SPDX-License-Identifier: MIT
// The configuration window's design: client area, controls and texts.
#pragma once

#include "toolkit/layout.h"

#include <array>

namespace lw::main_layout {

inline constexpr const char* Caption = "Lullwick";
inline constexpr tk::Twips ClientArea{0, 0, 5580, 5100};

inline constexpr tk::ControlRow Controls[] = {
    // name, container, caption, {left, top, width, height}, tab index
    {"txtMessage", "frmMain", "", {120, 3720, 5295, 1215}, 8},
    {"Frame1", "frmMain", "Configure your Lullwick", {120, 120, 5295, 3135}, 0},
    {"cmbMessage", "Frame1", "", {120, 2640, 3615, 315}, 9},
    {"cmdStart", "Frame1", "Start", {4080, 240, 975, 375}, 7},
    {"cmdQuit", "Frame1", "Quit", {4080, 720, 975, 375}, 6},
    {"cmbTime", "Frame1", "", {120, 1680, 3615, 315}, 4},
    {"cmbApp", "Frame1", "", {120, 720, 3615, 315}, 2},
    {"Label3", "Frame1", "Select desired \"installation\" message:", {120, 2280, 3015, 255}, 5},
    {"Label2", "Frame1", "Select duration of your \"installation\":", {120, 1320, 2775, 255}, 3},
    {"Label1", "Frame1", "Select your desired application to 'install':", {120, 360, 3015, 255}, 1},
    {"Label4", "frmMain", "Installation Display Message:", {1560, 3360, 2175, 255}, 10},
};

inline constexpr tk::MenuRow Menus[] = {
    // name, caption, a menu (or an item of the menu above)
    {"File", "&File", true},
    {"mnuFileExit", "E&xit", false},
    {"mnuHelp", "&Help", true},
    {"mnuHelpContents", "Contents", false},
    {"sep1", "-", false},
    {"mnuHelpAbout", "About", false},
};

inline constexpr std::array<const char*, 8> Applications{
    "Microsoft Windows Service Pack",
    "Microsoft Internet Explorer Service Pack",
    "Microsoft Windows Update Host",
    "Microsoft J++ Virtual Machine Updates",
    "Microsoft DOJ Protection Agent",
    "Window Scripting Objects",
    "ADO COM+ Objects",
    "ISAPI Filter Components",
};

// The sixth item's wording is as shipped; only the number counts for a run.
inline constexpr std::array<const char*, 7> Durations{
    "1 minute", "5 minutes", "10 minutes", "15 minutes", "30 minutes", "45 mimutes", "60 minutes",
};

inline constexpr std::array<const char*, 6> MessageChoices{
    "Message 1", "Message 2", "Message 3", "Message 4", "Message 5", "Custom Message",
};
inline constexpr const char* CustomMessage = "Custom Message";

// Slot n belongs to the choice "Message n".
inline constexpr std::array<const char*, 5> PresetMessages{
    "Copying files to your computer. This may take awhile, you may want to get a cup of coffee.",
    "Setup is installing files on your computer...",
    "Please wait while setup copies files to your computer. It is strongly recommended that you "
    "exit all programs.",
    "Copying setup files to your computer. Your old files have been archived should you desire "
    "to uninstall.",
    "Setup in progress...",
};

inline constexpr const char* HelpFileName = "Lull Wick.hlp";
inline constexpr const char* EmptyMessagePrompt =
    "Please enter an install message or select a pre-existing one.";
inline constexpr const char* BadDurationPrompt =
    "Please enter the duration in minutes, for example 5 or 1.5.";
inline constexpr const char* TooLongDurationPrompt =
    "Please enter a duration of at most 279620 minutes.";

} // namespace lw::main_layout
