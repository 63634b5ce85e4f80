// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "NumberKeyReader.h"

#include "SortKeys.h"
#include "platform/DateText.h"
#include "platform/NumberText.h"

#include <cmath>
#include <limits>

namespace
{

constexpr qint64 Scale = SortKeys::Scale;
constexpr qint64 MaxWhole = std::numeric_limits<qint64>::max() / Scale - 1;

std::optional<qint64> fromDouble(double value)
{
    const double scaled = value * double(Scale);
    if (!std::isfinite(scaled) || std::fabs(scaled) >= 9.2e18)
        return std::nullopt;
    return qint64(std::nearbyint(scaled)); // the default rounding mode: halves to even
}

} // namespace

NumberKeyReader::NumberKeyReader() : m_locale(DateText::locale())
{
    const QString group = m_locale.groupSeparator();
    const QString decimal = m_locale.decimalPoint();
    const QString minus = m_locale.negativeSign();
    // Separators longer than one character leave the work to the locale.
    m_group = group.size() == 1 ? group[0] : QChar();
    m_decimal = decimal.size() == 1 ? decimal[0] : QChar();
    m_minus = minus.size() == 1 ? minus[0] : QChar();
}

std::optional<qint64> NumberKeyReader::read(QStringView text) const
{
    if (const auto plain = readPlain(text))
        return plain;
    qint64 whole = 0;
    if (NumberText::parse(text, whole)) {
        if (whole > MaxWhole || whole < -MaxWhole)
            return std::nullopt;
        return whole * Scale;
    }
    bool ok = false;
    const double value = m_locale.toDouble(text, &ok);
    return ok ? fromDouble(value) : std::nullopt;
}

// The common case, a size as the scan writes it ("1,234,567"), read without
// the locale's general parser, which costs microseconds per call. Digit
// groups must sit where the locale puts them; anything unusual returns no
// value and goes to the full parser.
std::optional<qint64> NumberKeyReader::readPlain(QStringView text) const
{
    qsizetype i = 0;
    const bool negative = !text.isEmpty() && !m_minus.isNull() && text[0] == m_minus;
    if (negative)
        ++i;
    qint64 whole = 0;
    int digitsInGroup = 0;
    bool grouped = false;
    const qsizetype start = i;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c >= u'0' && c <= u'9') {
            if (whole > MaxWhole / 10)
                return std::nullopt;
            whole = whole * 10 + (c - u'0');
            ++digitsInGroup;
        } else if (!m_group.isNull() && text[i] == m_group) {
            if (digitsInGroup == 0 || digitsInGroup > 3 || (grouped && digitsInGroup != 3))
                return std::nullopt;
            grouped = true;
            digitsInGroup = 0;
        } else {
            break;
        }
    }
    if (i == start || digitsInGroup == 0 || (grouped && digitsInGroup != 3) || whole > MaxWhole)
        return std::nullopt;
    qint64 fraction = 0;
    if (i < text.size()) {
        if (m_decimal.isNull() || text[i] != m_decimal || i + 1 == text.size())
            return std::nullopt;
        qint64 numerator = 0;
        qint64 denominator = 1;
        for (++i; i < text.size(); ++i) {
            const char16_t c = text[i].unicode();
            if (c < u'0' || c > u'9' || denominator > Scale * 100000)
                return std::nullopt;
            numerator = numerator * 10 + (c - u'0');
            denominator *= 10;
        }
        fraction = SortKeys::divideRounded(numerator * Scale, denominator);
    }
    const qint64 key = whole * Scale + fraction;
    return negative ? -key : key;
}
