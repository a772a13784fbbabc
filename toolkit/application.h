// SPDX-License-Identifier: MIT
// The application object. The program gives it its title and version when
// it starts; the toolkit reads them (a message box's title, the About box).
#pragma once

#include <QString>

namespace tk {

struct Application {
    QString Title;
    int Major = 0;
    int Minor = 0;
    int Revision = 0;
    QString HelpFile;
    // The executable's folder, without a trailing separator (but "/" itself).
    QString Path() const;
};

Application& App();

} // namespace tk
