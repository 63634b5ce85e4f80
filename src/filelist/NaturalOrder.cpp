// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "NaturalOrder.h"

#include "FileListModel.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace
{

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

// Appends one code unit so that keys compare with memcmp as their code units
// would: ASCII as one byte, anything above as three bytes, the first of them
// 0x80 or more.
void put(std::string& keys, char16_t c)
{
    if (c < 0x80) {
        keys.push_back(char(c));
        return;
    }
    keys.push_back(char(0x80 | (c >> 14)));
    keys.push_back(char((c >> 7) & 0x7F));
    keys.push_back(char(c & 0x7F));
}

// Appends the key of a name: folded characters as they are, and every digit
// run as '0', its length without leading zeros, then those digits. Two keys
// compared as plain code units then give the natural order.
void appendKey(std::string& keys, QStringView name)
{
    const qsizetype n = name.size();
    for (qsizetype i = 0; i < n;) {
        const char16_t c = name[i].unicode();
        if (!isDigit(c)) {
            put(keys, c < 0x80 ? (c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c)
                               : name[i].toCaseFolded().unicode());
            ++i;
            continue;
        }
        qsizetype end = i;
        while (end < n && isDigit(name[end].unicode()))
            ++end;
        while (i + 1 < end && name[i] == u'0')
            ++i; // 007 is 7; a single 0 stays
        put(keys, u'0');
        put(keys, char16_t(std::min<qsizetype>(end - i, 0xFFFF)));
        for (; i < end; ++i)
            put(keys, name[i].unicode());
    }
}

// A name's place in the sort: its first sixteen key bytes as two numbers
// (most comparisons end there), and where the rest of its key lies.
constexpr quint32 HeadBytes = 16;
struct Entry {
    quint64 head[2];
    quint32 start;
    quint32 length;
    qint32 record;
};

} // namespace

std::vector<qint32> NaturalOrder::sorted(const std::vector<QStringView>& names)
{
    const size_t count = names.size();
    std::string keys;
    size_t total = 0;
    for (QStringView name : names)
        total += size_t(name.size()) + 8;
    keys.reserve(total);
    std::vector<Entry> entries(count);
    for (size_t r = 0; r < count; ++r) {
        Entry& e = entries[r];
        e.start = quint32(keys.size());
        appendKey(keys, names[r]);
        e.length = quint32(keys.size()) - e.start;
        e.record = qint32(r);
        for (quint32 b = 0; b < HeadBytes; ++b) {
            quint64& h = e.head[b / 8];
            h = (b % 8 ? h << 8 : 0) | (b < e.length ? quint8(keys[e.start + b]) : 0);
        }
    }
    const char* base = keys.data();
    std::sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
        if (a.head[0] != b.head[0])
            return a.head[0] < b.head[0];
        if (a.head[1] != b.head[1])
            return a.head[1] < b.head[1];
        // Equal heads: the keys differ after them, or one is shorter.
        const quint32 skip = std::min({HeadBytes, a.length, b.length});
        const std::string_view x(base + a.start + skip, a.length - skip),
            y(base + b.start + skip, b.length - skip);
        if (const int c = x.compare(y))
            return c < 0;
        if (const int c = names[size_t(a.record)].compare(names[size_t(b.record)]))
            return c < 0;
        return a.record < b.record;
    });
    std::vector<qint32> order(count);
    for (size_t k = 0; k < count; ++k)
        order[k] = entries[k].record;
    return order;
}

void NaturalOrder::sortByCurrentName(FileListModel& model)
{
    std::vector<qint32>& order = model.displayOrder();
    std::vector<QStringView> names(order.size());
    for (size_t r = 0; r < names.size(); ++r)
        names[r] = model.currentNameOf(int(r));
    order = sorted(names);
}
