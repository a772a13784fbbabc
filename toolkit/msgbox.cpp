// SPDX-License-Identifier: MIT
#include "toolkit/msgbox.h"
#include "toolkit/appearance.h"
#include "toolkit/application.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace tk {

namespace {
MsgBoxResponder& responder()
{
    static MsgBoxResponder r;
    return r;
}

#ifndef Q_OS_WIN
// Modal to the whole program (exec() makes it so) and fixed in size. A Yes/No
// question must be answered, as Windows' own box has it: Esc and the close
// box do nothing (Qt would take either for No).
class Box : public QMessageBox {
public:
    explicit Box(const MsgBoxCall& call)
        : QMessageBox(QMessageBox::NoIcon, call.title, call.prompt, QMessageBox::NoButton,
                      QApplication::activeWindow()),
          mustAnswer_(call.style == vbYesNo)
    {
        setTextFormat(Qt::PlainText);
        KeepDefaultFont(this);
        if (mustAnswer_) {
            setWindowFlag(Qt::WindowCloseButtonHint, false);
            setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            setDefaultButton(QMessageBox::Yes);
        } else {
            setStandardButtons(QMessageBox::Ok);
        }
    }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (mustAnswer_ && event->key() == Qt::Key_Escape)
            event->accept();
        else
            QMessageBox::keyPressEvent(event);
    }
    void closeEvent(QCloseEvent* event) override
    {
        if (mustAnswer_)
            event->ignore();
        else
            QMessageBox::closeEvent(event);
    }

private:
    bool mustAnswer_;
};
#else
// Windows' own box: its font, sound and frame, what a screen reader there
// knows; a Yes/No box's Esc and Close already do nothing (Wine's end it as
// Cancel, which is No here: never Yes). Owned by the active window, which it
// disables until answered (with none, every window of the program). Its
// loop dispatches the program's other messages, timer ticks included.
int SystemBox(const MsgBoxCall& call)
{
    QWidget* active = QApplication::activeWindow();
    const HWND owner = active ? HWND(active->winId()) : nullptr;
    const UINT type = (call.style == vbYesNo ? MB_YESNO | MB_DEFBUTTON1 : MB_OK) |
                      (owner ? MB_APPLMODAL : MB_TASKMODAL) | MB_SETFOREGROUND;
    const int answer = MessageBoxW(owner, reinterpret_cast<LPCWSTR>(call.prompt.utf16()),
                                   reinterpret_cast<LPCWSTR>(call.title.utf16()), type);
    if (answer == IDYES)
        return vbYes;
    return call.style == vbYesNo ? vbNo : vbOK;
}
#endif
} // namespace

void SetMsgBoxResponder(MsgBoxResponder r) { responder() = std::move(r); }

int MsgBox(const QString& prompt, int style, const std::optional<QString>& title)
{
    const MsgBoxCall call{prompt, style, title.value_or(App().Title)};
    if (responder())
        return responder()(call);
#ifdef Q_OS_WIN
    return SystemBox(call);
#else
    Box box(call);
    switch (box.exec()) {
    case QMessageBox::Yes: return vbYes;
    case QMessageBox::No: return vbNo;
    default: return style == vbYesNo ? vbNo : vbOK;
    }
#endif
}

} // namespace tk
