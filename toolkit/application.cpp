// SPDX-License-Identifier: MIT
#include "toolkit/application.h"
#include "toolkit/msgbox.h"
#include "version.h"

#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>
#include <new>

namespace tk {

namespace {

Application startValues()
{
    Application a;
    a.Title = QStringLiteral(LULLWICK_TITLE);
    a.Major = LULLWICK_VERSION_MAJOR;
    a.Minor = LULLWICK_VERSION_MINOR;
    a.Revision = LULLWICK_VERSION_PATCH;
    return a;
}

Application& instance()
{
    static Application app = startValues();
    return app;
}

EndHandler& endHandler()
{
    static EndHandler handler;
    return handler;
}

} // namespace

QString Application::Path() const
{
    // Qt already reports the folder without a trailing separator, except "/".
    return QCoreApplication::applicationDirPath();
}

Application& App() { return instance(); }
void ResetApp() { instance() = startValues(); }

void SetEndHandler(EndHandler handler) { endHandler() = std::move(handler); }

void End()
{
    if (endHandler()) {
        endHandler()();
        throw ProgramEnded{};
    }
    std::fflush(nullptr);
    std::_Exit(0);
}

void ReportError(const RuntimeError& error)
{
    MsgBox(QStringLiteral("Run-time error '%1':\n\n%2").arg(error.Number()).arg(error.Description()),
           vbOKOnly);
    End();
}

void Handle(const std::function<void()>& handler) noexcept
{
    try {
        try {
            handler();
        } catch (const RuntimeError& e) {
            ReportError(e);
        } catch (const std::bad_alloc&) {
            ReportError(RuntimeError(errOutOfMemory));
        } catch (const std::exception&) {
            ReportError(RuntimeError(0));
        }
    } catch (const ProgramEnded&) {
        // End() ran under a test's end handler: the handler is over.
    } catch (...) {
        std::fputs("lullwick: unexpected failure while reporting an error\n", stderr);
        std::fflush(nullptr);
        std::_Exit(1);
    }
}

} // namespace tk
