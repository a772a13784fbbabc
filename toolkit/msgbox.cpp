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

// Modal to the whole program (exec() makes it so) and fixed in size. A Yes/No
// question must be answered, as the desktop's own box has it: Esc and the
// close box do nothing (Qt would take either for No), and the close box is
// greyed where the desktop greys it.
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
    void showEvent(QShowEvent* event) override
    {
        QMessageBox::showEvent(event); // enables the close box again
#ifdef Q_OS_WIN
        if (HMENU menu = GetSystemMenu(HWND(winId()), FALSE); menu && mustAnswer_)
            EnableMenuItem(menu, SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
#endif
    }

private:
    bool mustAnswer_;
};
} // namespace

void SetMsgBoxResponder(MsgBoxResponder r) { responder() = std::move(r); }

int MsgBox(const QString& prompt, int style, const std::optional<QString>& title)
{
    const MsgBoxCall call{prompt, style, title.value_or(App().Title)};
    if (responder())
        return responder()(call);

    Box box(call);
    switch (box.exec()) {
    case QMessageBox::Yes: return vbYes;
    case QMessageBox::No: return vbNo;
    default: return style == vbYesNo ? vbNo : vbOK;
    }
}

} // namespace tk
