// SPDX-License-Identifier: MIT
#include "toolkit/runtime.h"
#include "toolkit/msgbox.h"

#include <cstdio>
#include <cstdlib>
#include <new>

namespace tk {

namespace {

EndHandler& endHandler()
{
    static EndHandler handler;
    return handler;
}

} // namespace

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
