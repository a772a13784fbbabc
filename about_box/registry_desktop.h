// SPDX-License-Identifier: MIT
// This desktop's stand-in for the registry: read-only, holding only what the
// launcher asks. The first try's key holds, as a string value with its
// terminating NUL, the full path of the first well-known system-information
// program found on PATH; the second try's key is absent. With no such program
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
// The full path of the desktop's system-information program, or "".
std::string FindSystemInformationProgram();

std::unique_ptr<Registry> MakeDesktopRegistry();

} // namespace reg
