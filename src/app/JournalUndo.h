// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RenameJournal.h"

// Puts a folder back as it was before a journal's pass.
class JournalUndo
{
public:
    static RenameJournal::UndoPlan steps(const RenameJournal::Contents& journal);
    static RenameJournal::UndoReport undo(FileSystem& fs, RenameJournal::Contents& journal,
                                          DurableFile* marks);
    static RenameJournal::UndoReport undoFile(FileSystem& fs, const QString& path);
};
