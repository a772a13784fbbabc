// SPDX-License-Identifier: MIT
// The windows' units: twips for places and sizes, 0x00BBGGRR for colours.
//
// A twip is 1/1440 inch: 15 twips a pixel at 96 dpi. Pixels here are Qt's
// device-independent pixels, so on a high-DPI screen Qt scales the whole
// window (fonts are set in the same pixels, see appearance.h) and it keeps
// its proportions.
#pragma once

#include <QColor>
#include <QRect>
#include <cstdint>

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

// 0x800000nn names the desktop's system colour nn.
inline constexpr std::uint32_t vbBlack = 0x00000000;
inline constexpr std::uint32_t vbWhite = 0x00FFFFFF;
inline constexpr std::uint32_t vbYellow = 0x0000FFFF;
inline constexpr std::uint32_t vbLightGrey = 0x00E0E0E0;
inline constexpr std::uint32_t vbGrey = 0x00808080;
inline constexpr std::uint32_t vbMenuBar = 0x80000004;
QColor OleColor(std::uint32_t value);
std::uint32_t ToOleColor(const QColor& colour);

} // namespace tk
