// SPDX-License-Identifier: MIT
#include "toolkit/convert.h"
#include "toolkit/errors.h"

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

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Parses [+-] digits [. digits] [(e|E) [+-] digits] by hand, so that no C
// library rule (locale, "inf", "nan", "0x") can slip in. Returns false on any
// other text.
struct Decimal {
    bool negative = false;
    std::string integer;
    std::string fraction;
    long long exponent = 0;
};

bool parseDecimal(const std::string& s, Decimal& d)
{
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        d.negative = s[i++] == '-';
    while (i < s.size() && isDigit(s[i]))
        d.integer += s[i++];
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && isDigit(s[i]))
            d.fraction += s[i++];
    }
    if (d.integer.empty() && d.fraction.empty())
        return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        bool negExp = false;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            negExp = s[i++] == '-';
        if (i == s.size() || !isDigit(s[i]))
            return false;
        while (i < s.size() && isDigit(s[i])) {
            if (d.exponent < 1'000'000'000)
                d.exponent = d.exponent * 10 + (s[i] - '0');
            ++i;
        }
        if (negExp)
            d.exponent = -d.exponent;
    }
    return i == s.size();
}

} // namespace

double ToDouble(const QString& text)
{
    qsizetype b = 0, e = text.size();
    while (b < e && (text[b] == u' ' || text[b] == u'\t'))
        ++b;
    while (e > b && (text[e - 1] == u' ' || text[e - 1] == u'\t'))
        --e;
    const QString core = text.mid(b, e - b);
    for (QChar c : core)
        if (c.unicode() > 0x7f)
            throw RuntimeError(errTypeMismatch);
    const std::string s = core.toStdString();

    Decimal d;
    if (!parseDecimal(s, d))
        throw RuntimeError(errTypeMismatch);

    std::string plain = (d.integer.empty() ? "0" : d.integer);
    if (!d.fraction.empty()) {
        plain += '.';
        plain.append(d.fraction);
    }
    plain += 'e';
    plain.append(std::to_string(d.exponent));

    double value = 0;
    const auto [ptr, ec] = std::from_chars(plain.data(), plain.data() + plain.size(), value,
                                           std::chars_format::scientific);
    if (ec == std::errc::result_out_of_range) {
        // Too large or too small: which one follows from where the first
        // significant digit stands.
        const std::string digits = d.integer + d.fraction;
        const auto first = digits.find_first_not_of('0');
        const long long magnitude =
            static_cast<long long>(d.integer.size()) - static_cast<long long>(first) + d.exponent;
        if (first != std::string::npos && magnitude > 0)
            throw RuntimeError(errOverflow);
        value = 0;
    } else if (ec != std::errc() || ptr != plain.data() + plain.size()) {
        throw RuntimeError(errTypeMismatch);
    }
    return d.negative ? -value : value;
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

QString CStr(std::int64_t value) { return QString::number(value); }

QString Hex(std::uint32_t value) { return QString::number(value, 16).toUpper(); }

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

QString Left(const QString& text, qsizetype length)
{
    if (length < 0)
        throw RuntimeError(errInvalidArgument);
    return text.left(length);
}

QString StringOf(qsizetype count, QChar character)
{
    if (count < 0)
        throw RuntimeError(errInvalidArgument);
    return QString(count, character);
}

qsizetype Len(const QString& text) { return text.size(); }

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
        return CStr(static_cast<std::int16_t>(static_cast<std::uint16_t>(raw)));
    return CStr(static_cast<std::int32_t>(raw));
}

} // namespace tk
