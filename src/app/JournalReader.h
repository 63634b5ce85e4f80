// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RenameJournal.h"

// Reads a rename journal back from its text or its file.
class JournalReader
{
public:
    static bool read(const QByteArray& bytes, RenameJournal::Contents& journal, QString& why);
    static QString load(FileSystem& fs, const QString& path, RenameJournal::Contents& journal,
                        qint64* kept);
};
