#include "NameOrder.h"

#include <QChar>

namespace NameOrder
{

char16_t upper(char16_t c)
{
    if (c < 0x80)
        return c >= u'a' && c <= u'z' ? char16_t(c - 32) : c;
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
    Key key;
    key.index = index;
    for (qsizetype i = 0; i < 8; ++i) {
        const qsizetype at = skip + i;
        const quint64 unit = at < name.size() ? upper(name[at].unicode()) : 0;
        if (i < 4)
            key.high |= unit << (16 * (3 - i));
        else
            key.low |= unit << (16 * (7 - i));
    }
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
