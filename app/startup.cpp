// SPDX-License-Identifier: MIT
#include "app/startup.h"
#include "app/forms.h"
#include "config_window/frmMain.h"
#include "toolkit/appearance.h"
#include "toolkit/runtime.h"
#include "version.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QSessionManager>
#include <QTranslator>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

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

// Another X client may destroy a window of ours (xdotool windowclose, xkill's
// gentler kin): the window is gone but Qt goes on as if it were there, and
// the process would run on unseen. A program whose shown window is taken
// away ends at once, as when it loses its display. Qt destroys its own
// windows only after they are hidden or deleted, so those never count.
class WindowDestroyed : public QAbstractNativeEventFilter {
public:
    bool nativeEventFilter(const QByteArray& type, void* message, qintptr* /*result*/) override
    {
        if (type != "xcb_generic_event_t")
            return false;
        // The X protocol's DestroyNotify event, as it comes off the wire.
        struct DestroyNotify {
            std::uint8_t responseType;
            std::uint8_t pad;
            std::uint16_t sequence;
            std::uint32_t event;
            std::uint32_t window;
        };
        constexpr std::uint8_t destroyNotify = 17;
        const auto* e = static_cast<const DestroyNotify*>(message);
        if ((e->responseType & 0x7f) != destroyNotify)
            return false;
        for (const QWidget* w : QApplication::topLevelWidgets()) {
            if (w->isVisible() && w->internalWinId() == e->window) {
                std::fputs("lullwick: its window was destroyed by another program\n", stderr);
                std::fflush(nullptr);
                std::_Exit(EXIT_FAILURE);
            }
        }
        return false;
    }
};

} // namespace

tk::Application ApplicationObject()
{
    tk::Application a;
    a.Title = QStringLiteral(LULLWICK_TITLE);
    a.Major = LULLWICK_VERSION_MAJOR;
    a.Minor = LULLWICK_VERSION_MINOR;
    a.Revision = LULLWICK_VERSION_PATCH;
    return a;
}

void SetUpApplication(QApplication& app)
{
    tk::App() = ApplicationObject();
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
    static WindowDestroyed windowDestroyed;
    app.installNativeEventFilter(&windowDestroyed);
}

void StartUp()
{
    tk::Handle([] { forms::Main().Show(); });
}

} // namespace lw
