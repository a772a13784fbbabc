// SPDX-License-Identifier: MIT
#include "app/startup.h"
#include "app/forms.h"
#include "config_window/frmMain.h"
#include "toolkit/application.h"
#include "toolkit/controls.h"
#include "version.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QSessionManager>
#include <QTranslator>

namespace lw {

namespace {

// The session manager's Die reaches the application as a Quit event, which Qt
// would turn into closing every window, and the progress window refuses to
// close. Die is the end of the desktop session: the program ends at once,
// whatever window is open. Nothing else here sends the program a Quit.
class SessionEnd : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == qApp && event->type() == QEvent::Quit)
            tk::Handle([] { tk::End(); });
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

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
    // The toolkit's own words (Yes and No, the text box's menu) in the
    // desktop's language; the program's texts stay as they are.
    auto* translator = new QTranslator(&app);
    if (translator->load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    // A save of the session, at a checkpoint or before the end, changes
    // nothing: Qt answers it as done once these return, and the run goes on
    // until the session manager says Die. There is nothing to restore, so a
    // saved session does not start the program again.
    QObject::connect(&app, &QGuiApplication::saveStateRequest, &app,
                     [](QSessionManager& manager) {
                         manager.setRestartHint(QSessionManager::RestartNever);
                     }, Qt::DirectConnection);
    app.installEventFilter(new SessionEnd(&app));
}

void StartUp()
{
    tk::Handle([] { forms::Main().Show(); });
}

} // namespace lw
