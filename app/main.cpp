// SPDX-License-Identifier: MIT
#include "app/display.h"
#include "app/startup.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int /*argc*/, char* argv[])
{
    // Qt aborts with a long message when no platform can start; say it in one line.
    const lw::PlatformChoice choice = lw::ChoosePlatform();
    if (!choice.canStart) {
        std::fputs(lw::NoDisplayMessage, stderr);
        return EXIT_FAILURE;
    }
    // The program takes no command line: Qt sees the program's name alone,
    // so that none of its own options (-platform, -style, -session...) can
    // change a window. The platform chosen goes to it as its -platform
    // option, not through the environment, so that a program started from
    // the About box keeps its own.
    QByteArray platformOption = QByteArrayLiteral("-platform");
    QByteArray platform = choice.platform.toLocal8Bit();
    std::vector<char*> args{argv[0]};
    if (!platform.isEmpty())
        args.insert(args.end(), {platformOption.data(), platform.data()});
    int count = static_cast<int>(args.size());
    args.push_back(nullptr);
    lw::NoDisplayGuard guard;
    QApplication app(count, args.data());
    guard.Started();
    lw::SetUpApplication(app);
    lw::StartUp();
    return app.exec();
}
