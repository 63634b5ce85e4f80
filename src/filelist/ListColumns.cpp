// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ListColumns.h"

#include "ListSorter.h"
#include "SortKeys.h"

namespace
{

struct Column {
    const char* caption;
    const char* sortTip;
    const char* cliName;
    ListSorter::Kind kind;
};

const Column Table[ListColumns::Count] = {
    {"No.", "Sort by Number...", "no", ListSorter::NotSortable},
    {"Creation Dates", "Sort by Creation Date and Time...", "created", ListSorter::DateTime},
    {"Modified Dates", "Sort by Creation Date and Time...", "modified", ListSorter::DateTime},
    {"Current Filenames", "Sort by Source Filenames...", "name", ListSorter::Text},
    {"New Filenames", "Sort by Destination Filenames...", "newname", ListSorter::Text},
    {"Size", "Sort by File Size...", "size", ListSorter::MixedNumber},
};

const Column* column(int index)
{
    return index >= 0 && index < ListColumns::Count ? &Table[index] : nullptr;
}

} // namespace

QString ListColumns::caption(int index)
{
    const Column* c = column(index);
    return c ? QString::fromLatin1(c->caption) : QString();
}

QString ListColumns::sortTip(int index)
{
    const Column* c = column(index);
    return c ? QString::fromLatin1(c->sortTip) : QString();
}

QString ListColumns::cliName(int index)
{
    const Column* c = column(index);
    return c ? QString::fromLatin1(c->cliName) : QString();
}

int ListColumns::fromCliName(const QString& name)
{
    for (int i = 0; i < Count; ++i) {
        if (name.compare(QLatin1String(Table[i].cliName), Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

ListSorter::Kind ListColumns::kind(int index)
{
    const Column* c = column(index);
    return c ? c->kind : ListSorter::NotSortable;
}

QString ListColumns::text(const FileListModel& model, int column, int record)
{
    return SortKeys::columnText(model, column, record);
}

ListSorter ListColumns::newSorter()
{
    ListSorter sorter;
    for (int i = 1; i < Count; ++i)
        sorter.setColumnKind(i, kind(i));
    return sorter;
}
