// SPDX-License-Identifier: MIT
#include "toolkit/application.h"

#include <QCoreApplication>

namespace tk {

QString Application::Path() const
{
    // Qt already reports the folder without a trailing separator, except "/".
    return QCoreApplication::applicationDirPath();
}

Application& App()
{
    static Application app;
    return app;
}

} // namespace tk
