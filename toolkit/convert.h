// SPDX-License-Identifier: MIT
// The conversions the windows call, with the exact rules they rely on. Each
// raises tk::RuntimeError where the toolkit would.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

namespace tk {

// Every piece between delimiters, compared binary; an empty text has no piece
// at all (not one empty piece), so taking element 0 of it is out of range.
QStringList Split(const QString& text, const QString& delimiter);
// Element `index` of a split result; error 9 when there is no such element.
QString Element(const QStringList& pieces, qsizetype index);

// Text to number in arithmetic. Accepts a plain decimal with optional sign,
// fraction and exponent (1, -2.5, .5, 3., 1E+39), surrounded by blanks or tabs
// at most. The decimal point is always '.', whatever the locale. Anything else,
// "inf", "nan" and hexadecimal included, is a type mismatch (13); a value
// beyond the double range is an overflow (6); one too small for it is 0.
double ToDouble(const QString& text);

// Rounds half to even and checks the range: overflow (6) outside it.
std::int16_t CInt(double value);
std::int16_t CInt(const QString& text);
std::int32_t CLng(double value);
// Nearest 32-bit float; overflow (6) when the value is beyond its range.
float CSng(double value);

// Character code of the first character; invalid argument (5) on empty text.
int Asc(const QString& text);
// Positions are 1-based; a start below 1 or a negative length is error 5.
QString Mid(const QString& text, qsizetype start, qsizetype length = -1);

// Default formatting without a format string. A text "&h" + hexadecimal digits
// is a number: up to 4 digits a 16-bit and up to 8 a 32-bit signed value,
// written in decimal; more digits overflow (6). Any other text is unchanged.
QString DefaultFormat(const QString& text);

} // namespace tk
