// SPDX-License-Identifier: MIT
#include "toolkit/geometry.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <cstring>
#include <stdexcept>
#ifdef _WIN32
#include <windows.h>
#endif

namespace tk {

QRect ToPixels(const Twips& t)
{
    return QRect(TwipsToPixels(t.left), TwipsToPixels(t.top), TwipsToPixels(t.width),
                 TwipsToPixels(t.height));
}

QColor OleColor(std::uint32_t value)
{
#ifdef _WIN32
    // On its own desktop a system colour is the system's.
    if ((value & 0xFF000000u) == 0x80000000u) {
        const DWORD c = GetSysColor(int(value & 0xFF));
        return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
    }
#endif
    if (value == vbMenuBar)
        return QApplication::palette("QMenuBar").color(QPalette::Window);
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

std::uint32_t ToOleColor(const QColor& c)
{
    return std::uint32_t(c.red()) | (std::uint32_t(c.green()) << 8) | (std::uint32_t(c.blue()) << 16);
}

const ControlSpec& SpecOf(Layout layout, const char* name)
{
    for (const ControlSpec& s : layout)
        if (std::strcmp(s.name, name) == 0)
            return s;
    throw std::logic_error(std::string("no control in the layout named ") + name);
}

QString CaptionOf(Layout layout, const char* name)
{
    return QString::fromUtf8(SpecOf(layout, name).caption);
}

void Place(QWidget* control, Layout layout, const char* name)
{
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(ToPixels(SpecOf(layout, name).rect));
}

namespace {
QList<std::pair<int, QWidget*>> byTabIndex(QWidget* form, Layout layout)
{
    QList<std::pair<int, QWidget*>> order;
    for (const ControlSpec& s : layout) {
        if (s.tabIndex < 0)
            continue;
        if (auto* w = form->findChild<QWidget*>(QString::fromLatin1(s.name)))
            order.append({s.tabIndex, w});
    }
    std::sort(order.begin(), order.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    return order;
}
} // namespace

void ApplyTabOrder(QWidget* form, Layout layout)
{
    QWidget* previous = nullptr;
    for (const auto& [index, w] : byTabIndex(form, layout)) {
        if (!(w->focusPolicy() & Qt::TabFocus))
            continue;
        if (previous)
            QWidget::setTabOrder(previous, w);
        previous = w;
    }
}

QList<QWidget*> TabStops(QWidget* form, Layout layout)
{
    QList<QWidget*> stops;
    for (const auto& [index, w] : byTabIndex(form, layout))
        if (w->focusPolicy() & Qt::TabFocus)
            stops.append(w);
    return stops;
}

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

// The window manager tells the frame's size only once the window is shown:
// then the window is centred again, by its frame, once.
class CentreWhenFramed : public QObject {
public:
    CentreWhenFramed(QWidget* window, const QPoint& onScreenOf)
        : QObject(window), window_(window), onScreenOf_(onScreenOf)
    {
        window->installEventFilter(this);
        // Without a frame to wait for (no window manager, Wayland), give up.
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

} // namespace

namespace {
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

} // namespace tk
