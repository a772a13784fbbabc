// SPDX-License-Identifier: MIT
#include "toolkit/msgbox.h"
#include "toolkit/appearance.h"
#include "toolkit/application.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace tk {

namespace {
MsgBoxResponder& responder()
{
    static MsgBoxResponder r;
    return r;
}
} // namespace

void SetMsgBoxResponder(MsgBoxResponder r) { responder() = std::move(r); }

int MsgBox(const QString& prompt, int style, const std::optional<QString>& title)
{
    const MsgBoxCall call{prompt, style, title.value_or(App().Title)};
    if (responder())
        return responder()(call);

    QMessageBox box(QMessageBox::NoIcon, call.title, call.prompt, QMessageBox::NoButton,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    KeepDefaultFont(&box);
    box.setWindowModality(Qt::ApplicationModal);
    if (style == vbYesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    const int pressed = box.exec();
    switch (pressed) {
    case QMessageBox::Yes: return vbYes;
    case QMessageBox::No: return vbNo;
    default: return style == vbYesNo ? vbNo : vbOK;
    }
}

} // namespace tk
