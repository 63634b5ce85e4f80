// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/HugePages.h"

#include <QStringView>

#include <algorithm>
#include <vector>

// The order of the names in a folder, as the file system of the platform the
// program was designed for keeps its folders: names compared without regard
// to letter case, each UTF-16 code unit upper-cased on its own (simple case
// mapping: "ß" stays one unit) and compared as a number. Names that are equal
// so ("a.txt", "A.TXT") follow their exact code units, so the order is total
// and every scan of a folder gives the same list. A byte of a name that is
// not UTF-8 is held as a lone surrogate U+DC80..U+DCFF (FileNameCodec) and
// sorts as that code unit: after the letters of most scripts and before
// U+E000..U+FFFF.
namespace NameOrder
{

char16_t upperBeyondAscii(char16_t c);
inline char16_t upper(char16_t c)
{
    if (c < 0x80)
        return c >= u'a' && c <= u'z' ? char16_t(c - 32) : c;
    return upperBeyondAscii(c);
}
// Below, equal or above zero as a comes before, with or after b.
int compare(QStringView a, QStringView b);
inline bool less(QStringView a, QStringView b)
{
    return compare(a, b) < 0;
}

// A name's place read cheaply: the six upper-cased units after the units
// that every name shares, packed in two numbers (an absent unit is 0, which
// no name holds). Only names whose keys are equal are compared in full. Six
// units rather than eight keep a key at 16 bytes, the most of the memory a
// scan of a million files adds to its rows.
struct Key {
    quint64 high = 0;
    quint32 low = 0;
    quint32 index = 0;
};
Key keyOf(QStringView name, qsizetype skip, quint32 index);
// How many leading upper-cased units a and b share, at most limit.
qsizetype sharedUnits(QStringView a, QStringView b, qsizetype limit);

// The keys of the names 0..count-1 (nameAt(i) gives the i-th name), worked
// out once and sorted: keys[k].index is the k-th name in order.
template <typename NameAt> std::vector<Key> sortedKeys(quint32 count, NameAt nameAt)
{
    if (count == 0)
        return {};
    const QStringView first = nameAt(0);
    qsizetype shared = first.size();
    for (quint32 i = 1; i < count && shared > 0; ++i)
        shared = sharedUnits(first, nameAt(i), shared);
    std::vector<Key> keys;
    keys.reserve(count);
    HugePages::advise(keys.data(), keys.capacity() * sizeof(Key));
    for (quint32 i = 0; i < count; ++i)
        keys.push_back(keyOf(nameAt(i), shared, i));
    std::sort(keys.begin(), keys.end(), [&nameAt](const Key& a, const Key& b) {
        if (a.high != b.high)
            return a.high < b.high;
        if (a.low != b.low)
            return a.low < b.low;
        return less(nameAt(a.index), nameAt(b.index));
    });
    return keys;
}

// The indices 0..count-1 in the order of their names.
template <typename NameAt> std::vector<quint32> order(quint32 count, NameAt nameAt)
{
    const std::vector<Key> keys = sortedKeys(count, nameAt);
    std::vector<quint32> out(count);
    for (quint32 k = 0; k < count; ++k)
        out[k] = keys[k].index;
    return out;
}
} // namespace NameOrder
