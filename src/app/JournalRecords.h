// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RenameJournal.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// The lines of a rename journal, as the pass and the undo append them and as
// they are read back.
class JournalRecords
{
public:
    static void appendStep(QByteArray& text, const char* kind, const QString& from,
                           const QString& to);
    static void appendNumbered(QByteArray& text, const char* kind, qsizetype number);
    static void appendState(QByteArray& text, const QString& name,
                            const FileSystem::FileState& state);
    // f: the fields of a "was" line.
    static bool parseState(const QStringList& f, RenameJournal::FileRecord& record);
};
