// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ColumnLayout.h"

#include "Twips.h"

#include <algorithm>

void ColumnLayout::lay(int numberWidth, int listWidth)
{
    m_start[1] = qint16(numberWidth);
    if (m_dragged && m_listWidth > 0) {
        const double scale = double(listWidth) / m_listWidth;
        for (int k = 2; k <= 5; ++k)
            m_start[size_t(k)] = qint16(Twips::roundEven(m_start[size_t(k)] * scale));
        m_start[6] = m_listWidth = qint16(listWidth);
        return;
    }
    m_listWidth = qint16(listWidth);
    const int u = Twips::roundEven(m_listWidth / 5.0);
    m_start[2] = qint16(u + 40);
    m_start[3] = qint16(2 * u + 40);
    m_start[4] = qint16(3 * u + 60);
    m_start[5] = qint16(4 * u + 60);
    m_start[6] = m_listWidth;
}

int ColumnLayout::lineNear(double x, int hScroll) const
{
    int line = 0;
    for (int k = 1; k <= 4; ++k) {
        const int b = m_start[size_t(k + 1)] - hScroll;
        if (b - 15 <= x && x <= b - 5)
            line = k;
    }
    return line;
}

int ColumnLayout::columnAt(double x, int shownColumns) const
{
    int column = 0;
    for (int c = 1; c <= std::min(shownColumns, 6); ++c)
        if (x >= m_start[size_t(c)] - 10) // a column starts at the line left of it
            column = c;
    return column;
}

void ColumnLayout::drag(int line, double x, int hScroll, int shownColumns)
{
    const int k = line;
    if (k < 1 || k > 4)
        return;
    int start = Twips::roundEven(x + 10 + hScroll);
    start = std::max(start, m_start[size_t(k)] + MinColumnWidth);
    const int limit = shownColumns == k + 1 ? m_listWidth : m_start[size_t(k + 2)];
    start = std::min(start, limit - MinColumnWidth);
    m_start[size_t(k + 1)] = qint16(start);
    m_dragged = true;
}
