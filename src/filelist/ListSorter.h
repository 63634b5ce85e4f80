// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "filelist/FileListModel.h"

#include <QCollatorSortKey>

#include <array>
#include <vector>

// Orders the file list by a column, as a click on a column header does. The
// records themselves never move: only DisplayOrder, which says which record
// each row shows, is rearranged.
//
// Each column has a Kind (setColumnKind); a column given none is not sortable. A first click on
// a column sorts it ascending, a click on the column sorted last reverses the
// rows, and the number column (0) toggles between the scan order and its
// reverse. A new list starts unsorted: the session's scan gives it a fresh
// sorter, so that a click after a rescan sorts rather than reverses.
class ListSorter
{
public:
    enum Kind : qint16 { NotSortable = 0, Text = 1, Number = 2, DateTime = 3, MixedNumber = 4 };
    static constexpr int KindSlots = 8;   // setColumnKind accepts 0..7
    static constexpr int ButtonCount = 7; // the number column and six text columns

    // What one sort did; the benchmark and the tests read it.
    struct Stats {
        int partitions = 0;      // partition steps
        int selectionRanges = 0; // ranges sorted by selection sort
        int deepestStack = 0;    // most index entries held on the stack at once
    };

    // A key of a mixed-value array: a fixed-point number, or (when text >= 0)
    // the text whose collation key is texts[text]. Numbers sort before texts.
    struct MixedValue {
        qint64 number = 0;
        qint32 text = -1;
    };

    // Sets the kind of a column (0..7); std::out_of_range otherwise.
    void setColumnKind(int column, Kind kind);
    Kind columnKind(int column) const;
    qint16 lastSortColumn() const { return m_lastSortColumn; }
    // Whether the last sort left the rows in descending order (for the
    // number column: the reverse of the scan order).
    bool lastSortDescending() const { return m_descending; }

    // The reaction to a click on header button index (0..6; std::out_of_range
    // otherwise).
    void sortByHeader(FileListModel& model, int index);
    const Stats& lastStats() const { return m_stats; }

    // The three sorts: each sorts its array ascending over its whole range and
    // applies every exchange to the same two entries of order, which must be
    // as long. Texts compare by their collation keys; numbers as integers.
    static Stats sortTexts(std::vector<QCollatorSortKey>& keys, std::vector<qint32>& order);
    static Stats sortMixedValues(std::vector<MixedValue>& values,
                                 const std::vector<QCollatorSortKey>& texts,
                                 std::vector<qint32>& order);
    static Stats sortNumbers(std::vector<qint64>& keys, std::vector<qint32>& order);

private:
    void sortColumn(FileListModel& model, int column);

    std::array<Kind, KindSlots> m_kinds{};
    bool m_descending = false;
    qint16 m_lastSortColumn = 0;
    Stats m_stats;
};
