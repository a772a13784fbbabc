// SPDX-License-Identifier: MIT
#include "toolkit/appearance.h"

#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QWidget>

namespace tk {

QFont DefaultFont()
{
    QFont f(QString::fromLatin1(DefaultFontFamily));
#ifdef _WIN32
    f.setFamilies({QString::fromLatin1(DesktopFontFamily), QString::fromLatin1(DefaultFontFamily)});
#endif
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(DefaultFontPixels);
    f.setResolveMask(QFont::AllPropertiesResolved);
    return f;
}

void UseDefaultFont() { QApplication::setFont(DefaultFont()); }

void KeepDefaultFont(QWidget* window)
{
    window->setFont(DefaultFont());
    // Pop-ups (menus, a combo box's list) are windows of their own and
    // inherit no font: each is given it too, a list once it exists.
    for (QComboBox* c : window->findChildren<QComboBox*>())
        c->view();
    for (QWidget* w : window->findChildren<QWidget*>())
        if (w->isWindow())
            w->setFont(DefaultFont());
}

QFont FontOrDefault(const QString& family, double points, bool bold)
{
    QFont f = DefaultFont();
    if (QFontDatabase::families().contains(family))
        f.setFamily(family);
    // Points of a 96 dpi screen, in the same device-independent pixels as the twips.
    f.setPixelSize(qRound(points * 96.0 / 72.0));
    f.setBold(bold);
    return f;
}

QIcon IconFromResources(const QString& base)
{
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/%1-16.xpm").arg(base), QSize(16, 16));
    icon.addFile(QStringLiteral(":/icons/%1-32.xpm").arg(base), QSize(32, 32));
    return icon;
}

QColor TextColourOn(const QColor& back)
{
    return back.lightnessF() >= 0.5 ? QColor(Qt::black) : QColor(Qt::white);
}

QPalette ClassicPalette()
{
    const QColor face(0xF0, 0xF0, 0xF0);
    return QPalette(face, face);
}

QPalette Explicit(QPalette palette)
{
    palette.setResolveMask(~QPalette::ResolveMask(0));
    return palette;
}

} // namespace tk
