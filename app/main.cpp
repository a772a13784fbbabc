// SPDX-License-Identifier: MIT
#include "app/startup.h"
#include "version.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>

namespace {
// Qt aborts with a long message when there is no display; say it in one line.
bool displayAvailable()
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && !platform.startsWith("xcb") && !platform.startsWith("wayland"))
        return true;
    return !qgetenv("DISPLAY").isEmpty() || !qgetenv("WAYLAND_DISPLAY").isEmpty();
}
} // namespace

int main(int argc, char* argv[])
{
    if (!displayAvailable()) {
        std::fputs("lullwick: no display found; run it on a desktop, or under xvfb-run\n", stderr);
        return EXIT_FAILURE;
    }
    QApplication app(argc, argv);
    lw::SetUpApplication(app);
    lw::StartUp();
    return app.exec();
}
