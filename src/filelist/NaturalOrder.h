// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringView>

#include <vector>

class FileListModel;

// Natural order of names: runs of digits compare as the numbers they
// write (file2 before file10, a leading zero aside), everything else
// character by character without regard to letter case (Unicode case
// folding, so the order is the same in every locale). Names that are equal
// so compare by their exact text, then keep the scan order.
class NaturalOrder
{
public:
    // Sorts the rows of the list by the current names, as a header click
    // does: only the display order changes, the records stay.
    static void sortByCurrentName(FileListModel& model);
    // The order itself: the indexes of names, sorted.
    static std::vector<qint32> sorted(const std::vector<QStringView>& names);
};
