// SPDX-License-Identifier: MIT
// The program's run-time: its End, a window's Load, and the one place where
// an error a handler lets escape is reported.
//
// Every event handler of the windows is connected through tk::on(), which runs
// it inside tk::Handle(): no C++ exception ever reaches Qt's event loop.
#pragma once

#include "toolkit/errors.h"

#include <QObject>
#include <functional>

namespace tk {

// Ends the program at once: no window event runs, nothing is saved. Tests
// install a handler that records the call; End then throws ProgramEnded so
// that the rest of the handler is skipped as it would be.
[[noreturn]] void End();
using EndHandler = std::function<void()>;
void SetEndHandler(EndHandler handler); // empty: the real end of the process

// Reports an error no handler caught ("Run-time error '13':" ...) in a message
// box titled with the application title, then ends the program.
void ReportError(const RuntimeError& error);

// Runs one event handler; whatever it lets escape is reported and ends the program.
void Handle(const std::function<void()>& handler) noexcept;

// A window's Load: its handler runs the first time the window is shown or
// loaded, never again for the same instance.
class LoadOnce {
public:
    template <typename F>
    void operator()(F&& load)
    {
        if (done_)
            return;
        done_ = true;
        load();
    }

private:
    bool done_ = false;
};

// Connects a signal to a private handler of a window, through Handle().
template <typename Sender, typename Signal, typename Form>
QMetaObject::Connection on(Sender* sender, Signal signal, Form* form, void (Form::*handler)())
{
    return QObject::connect(sender, signal, form, [form, handler] {
        Handle([form, handler] { (form->*handler)(); });
    });
}

} // namespace tk
