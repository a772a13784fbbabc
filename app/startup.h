// SPDX-License-Identifier: MIT
// Start-up: the configuration window is created, loaded and shown; every
// later action is an event handler of one of the three windows.
#pragma once

#include "toolkit/application.h"

class QApplication;

namespace lw {

// The program's title and version, as the application object starts.
tk::Application ApplicationObject();

// Application-wide settings: names, version, icon, the default font, and the
// end of the desktop session.
void SetUpApplication(QApplication& app);
void StartUp();

} // namespace lw
