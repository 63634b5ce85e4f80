// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "filelist/FileListModel.h"
#include "filelist/ListSorter.h"

#include <QString>

// The columns of the file list, in one table: the number column (0) and the
// data columns 1..5 (creation date, modified date, current name, new name,
// size). The window's header, the list view's sort tips, quillon-cli's
// --sort names and list header, and the sort kinds all read it here.
namespace ListColumns
{

constexpr int Count = 6; // the number column and five data columns

// The header caption ("No.", "Creation Dates", ...); empty outside 0..5.
QString caption(int column);
// The tool tip of the column's sort button; empty where there is none.
QString sortTip(int column);
// The name quillon-cli's --sort gives the column ("no", "created", ...).
QString cliName(int column);
// The column whose --sort name is name (letter case ignored); -1 for none.
int fromCliName(const QString& name);
// How the column sorts.
ListSorter::Kind kind(int column);

// The text a data column (1..6) shows for a record; see SortKeys::columnText.
QString text(const FileListModel& model, int column, int record);

// A sorter that knows the kinds of every column and has sorted nothing yet.
ListSorter newSorter();

} // namespace ListColumns
