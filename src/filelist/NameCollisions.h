// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSet>
#include <QString>

class FileListModel;

// Marks the proposals a rename pass could not give: the pass renames in the
// order shown, once per file and never over another file, so a proposal
// collides when
// - an earlier file in the list already takes that name (two files, one name),
// - a listed file holds the name and keeps it: it stays under its name, its
//   own rename is not possible, or it comes later in the list (it still holds
//   the name when this file's turn comes),
// - a file the list does not show holds the name (a folder, a file the type
//   filter leaves out), or
// - the proposal is empty.
// A proposal equal to the current name is no collision: that file stays.
// The marks are kept in the model (FileListModel::collides) until the next
// check; the count is returned.
namespace NameCollisions
{

int mark(FileListModel& model, int fileLast, const QSet<QString>& unlistedNames);
// "1 new name collides", "12 new names collide".
QString countText(int count);

} // namespace NameCollisions
