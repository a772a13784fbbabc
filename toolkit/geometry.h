// SPDX-License-Identifier: MIT
// Twips, colours and the layout tables the windows build themselves from.
//
// A twip is 1/1440 inch: 15 twips a pixel at 96 dpi. Pixels here are Qt's
// device-independent pixels, so on a high-DPI screen Qt scales the whole
// window (fonts are set in the same pixels, see controls.h) and it keeps its
// proportions.
#pragma once

#include <QColor>
#include <QRect>
#include <QString>
#include <cstdint>
#include <span>

class QWidget;

namespace tk {

inline constexpr int TwipsPerPixel = 15;

// Nearest pixel; every twips figure of the three windows is a multiple of 15.
constexpr int TwipsToPixels(int twips)
{
    return twips >= 0 ? (twips + TwipsPerPixel / 2) / TwipsPerPixel
                      : -((-twips + TwipsPerPixel / 2) / TwipsPerPixel);
}

struct Twips {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};
QRect ToPixels(const Twips& t);

// Colours are 0x00BBGGRR; 0x800000nn names the desktop's system colour nn.
inline constexpr std::uint32_t vbBlack = 0x00000000;
inline constexpr std::uint32_t vbWhite = 0x00FFFFFF;
inline constexpr std::uint32_t vbYellow = 0x0000FFFF;
inline constexpr std::uint32_t vbLightGrey = 0x00E0E0E0;
inline constexpr std::uint32_t vbGrey = 0x00808080;
inline constexpr std::uint32_t vbMenuBar = 0x80000004;
QColor OleColor(std::uint32_t value);
std::uint32_t ToOleColor(const QColor& colour);

// One row of a window's control table: the name the code and tests use, its
// container, caption, position and size in twips relative to the container,
// and tab index (-1: none).
struct ControlSpec {
    const char* name;
    const char* container;
    const char* caption;
    Twips rect;
    int tabIndex;
};
using Layout = std::span<const ControlSpec>;

const ControlSpec& SpecOf(Layout layout, const char* name);
QString CaptionOf(Layout layout, const char* name);
// Names the widget, sets its geometry from the table.
void Place(QWidget* control, Layout layout, const char* name);
// Chains the focus order of the table's controls by tab index.
void ApplyTabOrder(QWidget* form, Layout layout);
// The widgets of the form that can take the focus with Tab, in tab order.
QList<QWidget*> TabStops(QWidget* form, Layout layout);

// Keeps a fixed-size window at its size and place: a maximize or fullscreen
// that the window manager carries out all the same (some offer them whatever
// the size hints say) is undone at once.
void KeepNormalState(QWidget* window);

// Centres a top-level window's frame on the screen at `pos` (the primary
// screen when there is none).
void CentreOnScreen(QWidget* window, const QPoint& onScreenOf);

} // namespace tk
