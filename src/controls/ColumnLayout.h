// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// ColumnLayout: where the columns of a FileListView start, in pixels of its
// rows before horizontal scrolling: the number column as wide as its widest
// number, the five data columns sharing the list's width, and the lines
// between them that the pointer drags.

#include <QtGlobal>

#include <array>

class ColumnLayout
{
public:
    static constexpr int MinColumnWidth = 40; // a dragged line keeps this much room

    // Lays the columns out: data column 1 starts at numberWidth, the others
    // share listWidth. Lines dragged before keep their places, in proportion
    // to a new width.
    void lay(int numberWidth, int listWidth);
    int start(int column) const { return m_start[size_t(column)]; } // 1..6
    int listWidth() const { return m_listWidth; }
    const std::array<qint16, 7>& starts() const { return m_start; }

    // The line (1..4: the one left of data column 2..5) that x is 5 to 15
    // pixels left of; 0 for none.
    int lineNear(double x, int hScroll) const;
    // The data column (1..shownColumns, at most 6) under x, the rows
    // scrolled included; 0 over the number column.
    int columnAt(double x, int shownColumns) const;
    // Moves line 1..4 to the pointer at x; every column keeps its room and
    // the last shown column ends at the list's width.
    void drag(int line, double x, int hScroll, int shownColumns);

private:
    std::array<qint16, 7> m_start{}; // index 1..6
    qint16 m_listWidth = 0;
    bool m_dragged = false;
};
