// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class FileSystem;
class RenameJournal;

// A change of letter case only, where the new spelling already finds a
// file (the file itself on a disk that folds case): through a temporary
// name in the same folder, each step in the journal as it is done, so an
// undo after a kill between the two puts the file back. A new spelling
// still taken once this file is away is another file's: this one goes back
// and is left as it is.
class CaseOnlyRename
{
public:
    enum class Result {
        NotMade, // the steps could not be made: the direct rename is tried as for any other name
        Renamed, // through the temporary name
        Taken,   // the new spelling is another file's; the file keeps its name
    };

    // temporary: the name the file went through, when Renamed.
    static Result run(FileSystem& disk, RenameJournal& journal, const QString& source,
                      const QString& sourcePath, const QString& target, const QString& targetPath,
                      QString& temporary);
};
