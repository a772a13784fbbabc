// SPDX-License-Identifier: MIT
#include "toolkit/convert.h"
#include "toolkit/errors.h"

#include <QRegularExpression>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace tk {

QStringList Split(const QString& text, const QString& delimiter)
{
    if (text.isEmpty())
        return {};
    return text.split(delimiter, Qt::KeepEmptyParts, Qt::CaseSensitive);
}

QString Element(const QStringList& pieces, qsizetype index)
{
    if (index < 0 || index >= pieces.size())
        throw RuntimeError(errSubscriptOutOfRange);
    return pieces.at(index);
}

double ToDouble(const QString& text)
{
    // [+-] digits [. digits] [(e|E) [+-] digits], matched here so that no C
    // library rule (locale, "inf", "nan", "0x") can slip in.
    static const QRegularExpression decimal(QRegularExpression::anchoredPattern(
        QStringLiteral("[ \\t]*([+-]?)([0-9]*)(?:\\.([0-9]*))?(?:[eE]([+-]?[0-9]+))?[ \\t]*")));
    const QRegularExpressionMatch m = decimal.match(text);
    if (!m.hasMatch() || m.capturedLength(2) + m.capturedLength(3) == 0)
        throw RuntimeError(errTypeMismatch);
    const std::string integer = m.captured(2).toStdString();
    const std::string fraction = m.captured(3).toStdString();
    // The exponent's size is capped: beyond it every value is out of range anyway.
    long long exponent = 0;
    for (QChar c : m.captured(4))
        if (c.isDigit() && exponent < 1'000'000'000)
            exponent = exponent * 10 + (c.unicode() - u'0');
    if (m.captured(4).startsWith(u'-'))
        exponent = -exponent;

    const std::string plain = (integer.empty() ? "0" : integer) + (fraction.empty() ? "" : "." + fraction) +
                              "e" + std::to_string(exponent);
    double value = 0;
    const auto [ptr, ec] = std::from_chars(plain.data(), plain.data() + plain.size(), value,
                                           std::chars_format::scientific);
    if (ec == std::errc::result_out_of_range) {
        // Too large or too small: which one follows from where the first
        // significant digit stands.
        const std::string digits = integer + fraction;
        const auto first = digits.find_first_not_of('0');
        const auto before = static_cast<long long>(integer.size()) - static_cast<long long>(first);
        if (first != std::string::npos && before + exponent > 0)
            throw RuntimeError(errOverflow);
        value = 0;
    } else if (ec != std::errc() || ptr != plain.data() + plain.size()) {
        throw RuntimeError(errTypeMismatch);
    }
    return m.captured(1) == u'-' ? -value : value;
}

std::int32_t CLng(double value)
{
    const double r = std::nearbyint(value); // ties to even in the default rounding mode
    if (!(r >= std::numeric_limits<std::int32_t>::min() && r <= std::numeric_limits<std::int32_t>::max()))
        throw RuntimeError(errOverflow);
    return static_cast<std::int32_t>(r);
}

std::int16_t CInt(double value)
{
    const double r = std::nearbyint(value);
    if (!(r >= std::numeric_limits<std::int16_t>::min() && r <= std::numeric_limits<std::int16_t>::max()))
        throw RuntimeError(errOverflow);
    return static_cast<std::int16_t>(r);
}

std::int16_t CInt(const QString& text) { return CInt(ToDouble(text)); }

float CSng(double value)
{
    if (std::isnan(value))
        throw RuntimeError(errOverflow);
    const float f = static_cast<float>(value);
    if (std::isinf(f))
        throw RuntimeError(errOverflow);
    return f;
}

int Asc(const QString& text)
{
    if (text.isEmpty())
        throw RuntimeError(errInvalidArgument);
    return text.at(0).unicode();
}

QString Mid(const QString& text, qsizetype start, qsizetype length)
{
    if (start < 1 || length < -1)
        throw RuntimeError(errInvalidArgument);
    if (start > text.size())
        return QString();
    return length == -1 ? text.mid(start - 1) : text.mid(start - 1, length);
}

QString DefaultFormat(const QString& text)
{
    if (text.size() < 3 || text[0] != u'&' || (text[1] != u'h' && text[1] != u'H'))
        return text;
    const QString digits = text.mid(2);
    for (QChar c : digits)
        if (!isxdigit(c.unicode() < 0x80 ? c.toLatin1() : 'g'))
            return text;
    if (digits.size() > 8)
        throw RuntimeError(errOverflow);
    const std::uint32_t raw = digits.toUInt(nullptr, 16);
    if (digits.size() <= 4)
        return QString::number(static_cast<std::int16_t>(static_cast<std::uint16_t>(raw)));
    return QString::number(static_cast<std::int32_t>(raw));
}

} // namespace tk
