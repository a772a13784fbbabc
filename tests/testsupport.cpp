// SPDX-License-Identifier: MIT
#include "testsupport.h"
#include "about_box/registry.h"
#include "app/forms.h"
#include "app/startup.h"
#include "toolkit/appearance.h"
#include "toolkit/runtime.h"
#include "toolkit/units.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QWidget>

namespace testing {

FakeDesktop& UseFakeDesktop()
{
    auto fake = std::make_unique<FakeDesktop>();
    FakeDesktop& result = *fake;
    tk::UseDesktop(std::move(fake));
    return result;
}

void SetUp()
{
    tk::UseDefaultFont();
    tk::App() = lw::ApplicationObject();
}

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
    tk::App() = lw::ApplicationObject();
    tk::UseDesktop(nullptr);
    reg::Use(nullptr);
}

std::uint32_t BackColour(const QWidget* box)
{
    if (const auto* combo = qobject_cast<const QComboBox*>(box))
        box = combo->lineEdit();
    return tk::ToOleColor(box->palette().color(QPalette::Base));
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
