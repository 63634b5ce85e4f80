// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ListSorter.h"

#include "NumberKeyReader.h"
#include "SortKeys.h"
#include "platform/DateText.h"
#include "platform/NameOrder.h"
#include "platform/Random.h"
#include "platform/SplitWork.h"

#include <QCollator>

#include <algorithm>
#include <iterator>
#include <limits>
#include <stdexcept>

namespace
{

// Ranges of this many elements or fewer are finished by selection sort.
constexpr qint32 SelectionLimit = 10;

void exchangeKeys(QCollatorSortKey& x, QCollatorSortKey& y)
{
    x.swap(y);
}

template <class Key> void exchangeKeys(Key& x, Key& y)
{
    std::swap(x, y);
}

// The non-recursive quicksort behind the three sorts: a random pivot, the
// larger part of every partition waiting on an explicit stack while the
// smaller part is partitioned next (so the stack stays logarithmically deep),
// and selection sort for a range of ten or fewer that starts a round. All
// comparisons are strict, so keys equal to the pivot stop both scans and are
// exchanged; the sort is not stable.
template <class Key, class Less> class QuickSort
{
public:
    QuickSort(std::vector<Key>& keys, std::vector<qint32>& order, Less less)
        : a(keys), order(order), less(less)
    {
        if (keys.size() != order.size())
            throw std::invalid_argument("sort keys and display order differ in length");
    }

    ListSorter::Stats run()
    {
        // Pending ranges are disjoint and hold two elements or more, two
        // entries each, so N + 1 entries always suffice.
        stack.assign(a.size(), 0);
        qint32 first = 0;
        qint32 last = qint32(a.size()) - 1;
        for (;;) {
            if (last - first + 1 <= SelectionLimit) {
                selectionSort(first, last);
            } else {
                while (first < last)
                    partition(first, last);
            }
            if (depth == 0)
                break;
            last = stack[--depth];
            first = stack[--depth];
        }
        return stats;
    }

private:
    void exchange(qint32 i, qint32 j)
    {
        exchangeKeys(a[size_t(i)], a[size_t(j)]);
        std::swap(order[size_t(i)], order[size_t(j)]);
    }

    void push(qint32 first, qint32 last)
    {
        stack[depth++] = first;
        stack[depth++] = last;
        stats.deepestStack = std::max(stats.deepestStack, int(depth));
    }

    void partition(qint32& first, qint32& last)
    {
        ++stats.partitions;
        const qint32 p = qint32(first + 0.5 + Random::fraction() * double(last - first));
        const Key pivot = a[size_t(p)];
        qint32 i = first;
        qint32 j = last;
        do {
            while (less(a[size_t(i)], pivot))
                ++i;
            while (less(pivot, a[size_t(j)]))
                --j;
            if (i <= j) {
                exchange(i, j);
                ++i;
                --j;
            }
        } while (i <= j);
        if (last - i <= j - first) {
            if (first < j)
                push(first, j);
            first = i;
        } else {
            if (i < last)
                push(i, last);
            last = j;
        }
    }

    void selectionSort(qint32 first, qint32 last)
    {
        ++stats.selectionRanges;
        for (qint32 i = first; i < last; ++i) {
            qint32 m = i;
            for (qint32 j = i + 1; j <= last; ++j) {
                if (less(a[size_t(j)], a[size_t(m)]))
                    m = j;
            }
            if (m > i)
                exchange(i, m);
        }
    }

    std::vector<Key>& a;
    std::vector<qint32>& order;
    Less less;
    std::vector<qint32> stack;
    size_t depth = 0;
    ListSorter::Stats stats;
};

template <class Key, class Less>
ListSorter::Stats quickSort(std::vector<Key>& keys, std::vector<qint32>& order, Less less)
{
    return QuickSort<Key, Less>(keys, order, less).run();
}

QCollator textCollator()
{
    // Letter case never decides the order of two names.
    QCollator collator(DateText::locale());
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    return collator;
}

// The C locale (C, C.UTF-8, POSIX) has no collation: its sort keys are
// the texts' code points, letter case included. There a text column sorts
// as the scan orders a folder (NameOrder), so letter case never decides
// the order in any locale.
bool collatesByCodePoint()
{
    return DateText::locale().language() == QLocale::C;
}

void sortByNameOrder(const FileListModel& model, int column, std::vector<qint32>& order)
{
    std::vector<QString> texts(order.size());
    SplitWork::run(texts.size(), 4096, [&](size_t, size_t from, size_t to) {
        for (size_t r = from; r < to; ++r)
            texts[r] = SortKeys::columnText(model, column, int(r));
    });
    const std::vector<quint32> sorted = NameOrder::order(
        quint32(texts.size()), [&texts](quint32 i) { return QStringView(texts[i]); });
    std::copy(sorted.begin(), sorted.end(), order.begin());
}

// The collation keys of a text column, built on every core: each thread
// keys its own run of records with its own collator, and the runs are joined
// in record order.
std::vector<QCollatorSortKey> textKeys(const FileListModel& model, int column, int count)
{
    constexpr std::size_t MinPerPart = 4096;
    const std::size_t n = SplitWork::partsFor(std::size_t(count), MinPerPart);
    std::vector<std::vector<QCollatorSortKey>> parts(n);
    std::vector<QCollator> collators; // made here: the locale is read on this thread
    for (std::size_t k = 0; k < n; ++k)
        collators.push_back(textCollator());
    SplitWork::run(std::size_t(count), MinPerPart,
                   [&](std::size_t k, std::size_t from, std::size_t to) {
                       parts[k].reserve(to - from);
                       for (std::size_t r = from; r < to; ++r)
                           parts[k].push_back(
                               collators[k].sortKey(SortKeys::columnText(model, column, int(r))));
                   });
    std::vector<QCollatorSortKey> keys;
    keys.reserve(size_t(count));
    for (std::vector<QCollatorSortKey>& part : parts) {
        std::move(part.begin(), part.end(), std::back_inserter(keys));
        std::vector<QCollatorSortKey>().swap(part);
    }
    return keys;
}

} // namespace

void ListSorter::setColumnKind(int column, Kind kind)
{
    if (column < 0 || column >= KindSlots)
        throw std::out_of_range("column kind index out of range");
    m_kinds[size_t(column)] = kind;
}

ListSorter::Kind ListSorter::columnKind(int column) const
{
    return column >= 0 && column < KindSlots ? m_kinds[size_t(column)] : NotSortable;
}

ListSorter::Stats ListSorter::sortTexts(std::vector<QCollatorSortKey>& keys,
                                        std::vector<qint32>& order)
{
    return quickSort(keys, order, [](const QCollatorSortKey& x, const QCollatorSortKey& y) {
        return x.compare(y) < 0;
    });
}

ListSorter::Stats ListSorter::sortMixedValues(std::vector<MixedValue>& values,
                                              const std::vector<QCollatorSortKey>& texts,
                                              std::vector<qint32>& order)
{
    return quickSort(values, order, [&texts](const MixedValue& x, const MixedValue& y) {
        if (x.text < 0 || y.text < 0)
            return x.text < 0 && y.text < 0 ? x.number < y.number : x.text < y.text;
        return texts[size_t(x.text)].compare(texts[size_t(y.text)]) < 0;
    });
}

ListSorter::Stats ListSorter::sortNumbers(std::vector<qint64>& keys, std::vector<qint32>& order)
{
    return quickSort(keys, order, [](qint64 x, qint64 y) { return x < y; });
}

void ListSorter::sortByHeader(FileListModel& model, int index)
{
    if (index < 0 || index >= ButtonCount)
        throw std::out_of_range("column header index out of range");
    m_stats = {};
    std::vector<qint32>& order = model.displayOrder();
    const qint32 n = qint32(order.size()) - 1;
    if (index == 0) {
        // The number column toggles: scan order unless the first row already
        // shows the first record, then the reverse.
        const bool ascending = !order.empty() && order[0] > 0;
        for (qint32 k = 0; k <= n; ++k)
            order[size_t(ascending ? k : n - k)] = k;
        m_lastSortColumn = 0;
        m_descending = !ascending;
    } else if (index == m_lastSortColumn) {
        std::reverse(order.begin(), order.end());
        m_descending = !m_descending;
    } else {
        m_descending = false;
        for (qint32 k = 0; k <= n; ++k)
            order[size_t(k)] = k;
        sortColumn(model, index);
        m_lastSortColumn = qint16(index);
    }
}

// Sorts the keys of one column, built afresh from its texts, starting from
// the scan order. A text that is not a number or a date where one is expected
// does not stop the sort: in a number or date column it sorts before every
// value (as an empty name sorts before every name); in a mixed column it stays
// a text and sorts after the numbers.
void ListSorter::sortColumn(FileListModel& model, int column)
{
    std::vector<qint32>& order = model.displayOrder();
    const int count = int(order.size());
    const Kind kind = columnKind(column);
    if (kind == Text && collatesByCodePoint()) {
        sortByNameOrder(model, column, order);
    } else if (kind == Text) {
        std::vector<QCollatorSortKey> keys = textKeys(model, column, count);
        m_stats = sortTexts(keys, order);
    } else if (kind == Number || kind == DateTime) {
        std::vector<qint64> keys(static_cast<size_t>(count));
        const NumberKeyReader numbers;
        SplitWork::run(size_t(count), 4096, [&](size_t, size_t from, size_t to) {
            for (size_t r = from; r < to; ++r) {
                const std::optional<qint64> key =
                    kind == Number ? numbers.read(SortKeys::columnText(model, column, int(r)))
                                   : SortKeys::dateKeyOf(model, column, int(r));
                keys[r] = key.value_or(std::numeric_limits<qint64>::min());
            }
        });
        m_stats = sortNumbers(keys, order);
    } else if (kind == MixedNumber) {
        std::vector<MixedValue> values(static_cast<size_t>(count));
        std::vector<QCollatorSortKey> texts;
        const NumberKeyReader numbers;
        std::optional<QCollator> collator;
        for (int r = 0; r < count; ++r) {
            const QString text = SortKeys::columnText(model, column, r);
            if (const std::optional<qint64> key = numbers.read(text)) {
                values[size_t(r)].number = *key;
                continue;
            }
            if (!collator)
                collator = textCollator();
            values[size_t(r)].text = qint32(texts.size());
            texts.push_back(collator->sortKey(text));
        }
        m_stats = sortMixedValues(values, texts, order);
    }
}
