// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "NameOrder.h"

#include <QChar>

namespace NameOrder
{

char16_t upperBeyondAscii(char16_t c)
{
    if (QChar::isSurrogate(c))
        return c; // half of a pair, or a byte that is not UTF-8: as it is
    const char32_t u = QChar::toUpper(char32_t(c));
    return u > 0xFFFF ? c : char16_t(u);
}

int compare(QStringView a, QStringView b)
{
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t x = upper(a[i].unicode()), y = upper(b[i].unicode());
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    for (qsizetype i = 0; i < n; ++i) {
        if (a[i] != b[i])
            return a[i].unicode() < b[i].unicode() ? -1 : 1;
    }
    return 0;
}

Key keyOf(QStringView name, qsizetype skip, quint32 index)
{
    quint64 units[6] = {};
    const qsizetype n = std::min<qsizetype>(6, name.size() - skip);
    for (qsizetype i = 0; i < n; ++i)
        units[i] = upper(name[skip + i].unicode());
    Key key;
    key.high = units[0] << 48 | units[1] << 32 | units[2] << 16 | units[3];
    key.low = quint32(units[4] << 16 | units[5]);
    key.index = index;
    return key;
}

qsizetype sharedUnits(QStringView a, QStringView b, qsizetype limit)
{
    const qsizetype n = std::min({a.size(), b.size(), limit});
    qsizetype i = 0;
    while (i < n && upper(a[i].unicode()) == upper(b[i].unicode()))
        ++i;
    return i;
}

} // namespace NameOrder
