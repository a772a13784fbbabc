// SPDX-License-Identifier: MIT
#include "app/startup.h"
#include "app/forms.h"
#include "config_window/frmMain.h"
#include "toolkit/application.h"
#include "toolkit/controls.h"
#include "version.h"

#include <QApplication>

namespace lw {

void SetUpApplication(QApplication& app)
{
    QApplication::setApplicationName(QStringLiteral(LULLWICK_TITLE));
    QApplication::setApplicationVersion(QStringLiteral(LULLWICK_VERSION));
    QApplication::setOrganizationName(QStringLiteral("Company"));
    QApplication::setDesktopFileName(QStringLiteral(LULLWICK_APP_ID));
    QApplication::setWindowIcon(tk::IconFromResources(QStringLiteral("lullwick")));
    // The program ends by End or by closing the configuration window, never
    // because a window happens to be the last one shown.
    QApplication::setQuitOnLastWindowClosed(false);
    tk::UseDefaultFont();
    // The desktop session is ending: the program ends with it, and no
    // refusal to close holds the session up.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &app,
                     [] { tk::Handle([] { tk::End(); }); }, Qt::DirectConnection);
}

void StartUp()
{
    tk::Handle([] { forms::Main().Show(); });
}

} // namespace lw
