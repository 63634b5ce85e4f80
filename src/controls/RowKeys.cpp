// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "RowKeys.h"

#include <Qt>

#include <algorithm>

int RowKeys::target(int key, int row, bool chosen, int page, int last)
{
    int to = -1;
    switch (key) {
    case Qt::Key_Up:
        to = row - 1;
        break;
    case Qt::Key_Down:
        to = chosen ? row + 1 : row;
        break;
    case Qt::Key_PageUp:
        to = row - page;
        break;
    case Qt::Key_PageDown:
        to = row + page;
        break;
    case Qt::Key_Home:
        to = 0;
        break;
    case Qt::Key_End:
        to = last;
        break;
    default:
        return -1;
    }
    return std::clamp(to, 0, std::max(last, 0));
}
