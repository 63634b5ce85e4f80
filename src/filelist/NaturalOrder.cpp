#include "NaturalOrder.h"

#include "FileListModel.h"

#include <algorithm>
#include <string_view>

namespace
{

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

// Appends the key of a name: folded characters as they are, and every digit
// run as '0', its length without leading zeros, then those digits. Two keys
// compared as plain code units then give the natural order.
void appendKey(std::u16string& keys, QStringView name)
{
    const qsizetype n = name.size();
    for (qsizetype i = 0; i < n;) {
        const char16_t c = name[i].unicode();
        if (!isDigit(c)) {
            keys.push_back(c < 0x80 ? (c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c)
                                    : name[i].toCaseFolded().unicode());
            ++i;
            continue;
        }
        qsizetype end = i;
        while (end < n && isDigit(name[end].unicode()))
            ++end;
        while (i + 1 < end && name[i] == u'0')
            ++i; // 007 is 7; a single 0 stays
        keys.push_back(u'0');
        keys.push_back(char16_t(std::min<qsizetype>(end - i, 0xFFFF)));
        for (; i < end; ++i)
            keys.push_back(name[i].unicode());
    }
}

} // namespace

std::vector<qint32> NaturalOrder::sorted(const std::vector<QStringView>& names)
{
    const size_t count = names.size();
    std::u16string keys;
    size_t total = 0;
    for (QStringView name : names)
        total += size_t(name.size()) + 4;
    keys.reserve(total);
    std::vector<quint32> starts(count + 1);
    for (size_t r = 0; r < count; ++r) {
        starts[r] = quint32(keys.size());
        appendKey(keys, names[r]);
    }
    starts[count] = quint32(keys.size());
    auto key = [&](qint32 r) {
        return std::u16string_view(keys).substr(starts[size_t(r)],
                                                starts[size_t(r) + 1] - starts[size_t(r)]);
    };
    std::vector<qint32> order(count);
    for (size_t r = 0; r < count; ++r)
        order[r] = qint32(r);
    std::stable_sort(order.begin(), order.end(), [&](qint32 a, qint32 b) {
        const int c = key(a).compare(key(b));
        if (c != 0)
            return c < 0;
        return names[size_t(a)].compare(names[size_t(b)]) < 0;
    });
    return order;
}

void NaturalOrder::sortByCurrentName(FileListModel& model)
{
    std::vector<qint32>& order = model.displayOrder();
    std::vector<QStringView> names(order.size());
    for (size_t r = 0; r < names.size(); ++r)
        names[r] = model.sourceNameOf(int(r));
    order = sorted(names);
}
