// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/RenameJournal.h"

#include <QList>
#include <QString>
#include <QStringList>

class FileSystem;

// The kept rename passes (JournalFolder), newest first, as the window's
// "Rename History..." shows them: each with its journal, what it did and
// where it stands. Any of them can be undone, not only the newest, through
// the same RenameJournal::undoFile as quillon-cli undo --journal.
namespace RenameHistory
{

enum class State { Finished, Stopped, Interrupted, Undone, PartlyUndone };

struct Pass {
    QString journal; // its path
    RenameJournal::Contents contents;
    State state = State::Finished;
};

State stateOf(const RenameJournal::Contents& journal);
// "finished", "stopped", "interrupted", "undone", "partly undone".
QString stateText(State state);
// The newest JournalFolder::keep() passes, newest first. A journal that
// cannot be read is left out and its problem added to problems.
QList<Pass> passes(FileSystem& fs, QStringList* problems = nullptr);
// The passes newer than passes[index] (those before it) that renamed, in
// the same folder, a name that passes[index] renamed from or to: undoing it
// may then not give back what it renamed. Their indexes, newest first.
QList<qsizetype> laterPassesTouching(const QList<Pass>& passes, qsizetype index);

} // namespace RenameHistory
