// SPDX-License-Identifier: MIT
#include "testsupport.h"
#include "about_box/registry.h"
#include "app/forms.h"
#include "toolkit/application.h"
#include "toolkit/platform.h"

#include <QApplication>
#include <QWidget>

namespace testing {

void Observe(Observer& o)
{
    tk::SetEndHandler([&o] { ++o.ends; });
    tk::SetMsgBoxResponder([&o](const tk::MsgBoxCall& call) {
        o.boxes.append(call);
        if (o.whileOpen)
            o.whileOpen(call);
        if (!o.answers.isEmpty())
            return o.answers.takeFirst();
        return call.style == tk::vbYesNo ? int(tk::vbNo) : int(tk::vbOK);
    });
}

void ResetAll()
{
    lw::forms::Reset();
    QApplication::processEvents();
    tk::SetEndHandler({});
    tk::SetMsgBoxResponder({});
    tk::ResetApp();
    tk::ResetDesktop();
    reg::Use(nullptr);
}

QStringList VisibleWindows()
{
    QStringList names;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible())
            names << (w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className())
                                                : w->objectName());
    return names;
}

} // namespace testing
