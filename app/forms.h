// SPDX-License-Identifier: MIT
// The three windows' single instances. Each is created the first time any
// code refers to it and lives until the program ends; only the About box is
// unloaded (destroyed) and made anew by the next reference.
#pragma once

namespace lw {

class frmMain;
class frmInstall;
class frmAbout;

namespace forms {

frmMain& Main();
frmInstall& Install();
frmAbout& About();

bool InstallExists();
bool AboutExists();
void UnloadAbout();

// Destroys every instance: a test's fresh start.
void Reset();

} // namespace forms
} // namespace lw
