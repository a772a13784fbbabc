// SPDX-License-Identifier: MIT
#include "toolkit/window_manager.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace tk {

namespace {

void centre(QWidget* window, const QPoint& onScreenOf)
{
    QScreen* screen = QGuiApplication::screenAt(onScreenOf);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

class CentreWhenFramed : public QObject {
public:
    CentreWhenFramed(QWidget* window, const QPoint& onScreenOf)
        : QObject(window), window_(window), onScreenOf_(onScreenOf)
    {
        window->installEventFilter(this);
        // No frame comes without a window manager, or on Wayland.
        QTimer::singleShot(3000, this, [this] { finish(); });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == window_ && (event->type() == QEvent::Move || event->type() == QEvent::Resize) &&
            window_->frameGeometry() != window_->geometry()) {
            finish();
            centre(window_, onScreenOf_);
        }
        return false;
    }

private:
    void finish()
    {
        window_->removeEventFilter(this);
        deleteLater();
    }
    QWidget* window_;
    QPoint onScreenOf_;
};

constexpr Qt::WindowStates blownUp = Qt::WindowMaximized | Qt::WindowFullScreen;

class NormalState : public QObject {
public:
    explicit NormalState(QWidget* window) : QObject(window) { window->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* window = static_cast<QWidget*>(watched);
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
            // Where it was last at its own size: the window manager may move
            // it before it says that it has blown it up.
            if (!(window->windowState() & blownUp) && window->size() == window->minimumSize())
                normal_ = window->geometry();
            break;
        case QEvent::WindowStateChange:
            if (window->windowState() & blownUp) {
                // Once the window manager's own change has been taken in.
                QTimer::singleShot(0, window, [this, window] {
                    window->setWindowState(window->windowState() & ~blownUp);
                    if (normal_.isValid())
                        window->setGeometry(normal_);
                });
            }
            break;
        default:
            break;
        }
        return false;
    }

private:
    QRect normal_;
};
} // namespace

void KeepNormalState(QWidget* window) { new NormalState(window); }

void CentreOnScreen(QWidget* window, const QPoint& onScreenOf)
{
    centre(window, onScreenOf);
    if (!window->isVisible() && window->frameGeometry() == window->geometry())
        new CentreWhenFramed(window, onScreenOf);
}

namespace {

#ifdef Q_OS_WIN
// Qt gives every window the application's icon, again each time the dialog's
// native window is made (as a change of owner does): taken off on each show.
class NoCaptionIcon : public QObject {
public:
    explicit NoCaptionIcon(QWidget* window) : QObject(window) { window->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show) {
            const HWND hwnd = HWND(static_cast<QWidget*>(watched)->winId());
            SendMessageW(hwnd, WM_SETICON, ICON_SMALL, 0);
            SendMessageW(hwnd, WM_SETICON, ICON_BIG, 0);
        }
        return false;
    }
};
#endif

} // namespace

void DialogFrame([[maybe_unused]] QWidget* window)
{
#ifdef Q_OS_WIN
    // Without the system-menu hint, Qt makes a dialog with a close box the
    // Windows way: the modal-dialog frame, in a window class with no icon.
    window->setWindowFlag(Qt::WindowSystemMenuHint, false);
    new NoCaptionIcon(window);
#endif
}

} // namespace tk
