// SPDX-License-Identifier: MIT
// This desktop's stand-in for the registry: read-only, holding only what the
// launcher asks. The first try's key holds, as a string value with its
// terminating NUL, the full path of the first well-known system-information
// program found on PATH, or else of the desktop entry of GNOME Settings'
// system details page; the second try's key is absent. With neither
// installed, both are absent.
#pragma once

#include "about_box/registry.h"

#include <string>
#include <vector>

namespace reg {

inline constexpr const char* SysInfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr const char* SysInfoValue = "PATH";
inline constexpr const char* SysInfoFolderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
inline constexpr const char* SysInfoFolderValue = "MSINFO";

// Searched in this order; the first found wins.
std::vector<std::string> SystemInformationPrograms();
// Then these desktop entries, in the desktop's applications folders.
std::vector<std::string> SystemInformationPanels();
// The full path of the desktop's system-information program, or "".
std::string FindSystemInformationProgram();

std::unique_ptr<Registry> MakeDesktopRegistry();

} // namespace reg
