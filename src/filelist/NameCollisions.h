// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSet>
#include <QString>

#include "platform/NameRules.h"

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
// - the proposal is empty, or
// - the disk refuses the name (NameRules: too long, or against the Windows
//   rules on a disk that keeps them).
// Names are compared in NFC, and without regard to letter case on a disk
// that folds case: there "a.txt" and "A.txt" are one name, and a change of
// letter case alone is no collision.
// A proposal equal to the current name is no collision: that file stays.
// The marks are kept in the model (FileListModel::collides) until the next
// check; the count is returned.
namespace NameCollisions
{

int mark(FileListModel& model, int fileLast, const QSet<QString>& unlistedNames,
         const NameRules& rules = {});
// "1 new name collides", "12 new names collide".
QString countText(int count);

} // namespace NameCollisions
