// SPDX-License-Identifier: MIT
#include "toolkit/units.h"

#include <QApplication>
#include <QPalette>
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

} // namespace tk
