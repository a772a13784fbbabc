// SPDX-License-Identifier: MIT
// The fonts, colours and icons the windows keep whatever the desktop's theme.
#pragma once

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QPalette>

class QWidget;

namespace tk {

// The stand-in for the compact 8-point interface font the windows were laid
// out for: Liberation Sans (Debian's fonts-liberation2) at 11 pixels, so that
// every caption fits its box. Every property of it counts as set: a window
// given it keeps it whatever a platform theme or a later change of the
// application's font does (the fonts are part of the design, as the twips
// are). On Windows the face the layout was made for, Microsoft Sans Serif,
// comes first, Liberation Sans after it (Wine without its own fonts has only
// that).
#ifdef _WIN32
inline constexpr const char* DesktopFontFamily = "Microsoft Sans Serif";
#endif
inline constexpr const char* DefaultFontFamily = "Liberation Sans";
inline constexpr int DefaultFontPixels = 11;
QFont DefaultFont();
void UseDefaultFont();                    // for the whole application
void KeepDefaultFont(QWidget* window);    // for a window and its pop-ups
// A face by name at a size in points (of 96 dpi), the default family when the
// face is not installed.
QFont FontOrDefault(const QString& family, double points, bool bold);

// Black or white, whichever reads on `back`: a colour the program fixes on one
// side is never paired with the desktop theme's on the other.
QColor TextColourOn(const QColor& back);
// The classic light control colours, for a window whose texts are fixed black.
QPalette ClassicPalette();
// The same colours, each set: a widget given it keeps them instead of taking
// its parent's.
QPalette Explicit(QPalette palette);

// An icon from the resources' 16 and 32 pixel images: ":/icons/<base>-16.xpm".
QIcon IconFromResources(const QString& base);

} // namespace tk
