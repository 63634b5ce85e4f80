// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CaseOnlyRename.h"

#include "RenameJournal.h"
#include "platform/FileErrors.h"
#include "platform/FileName.h"
#include "platform/FileSystem.h"

CaseOnlyRename::Result CaseOnlyRename::run(FileSystem& disk, RenameJournal& journal,
                                           const QString& source, const QString& sourcePath,
                                           const QString& target, const QString& targetPath,
                                           QString& temporary)
{
    FileSystem::Entry entry;
    if (source == target || source.compare(target, Qt::CaseInsensitive) != 0 ||
        !FileName::isPlainName(target) || disk.stat(targetPath, entry) != 0)
        return Result::NotMade;
    const QString folder = sourcePath.left(sourcePath.size() - source.size());
    QString temp = source + QStringLiteral(".quillon-case");
    for (int i = 0; disk.stat(folder + temp, entry) == 0; ++i)
        temp = source + QStringLiteral(".quillon-case%1").arg(i);
    if (disk.rename(sourcePath, folder + temp) != FileErrors::None)
        return Result::NotMade;
    journal.doneExtra(source, temp);
    const int rc = disk.rename(folder + temp, targetPath);
    if (rc == FileErrors::None) {
        temporary = temp;
        return Result::Renamed;
    }
    if (disk.rename(folder + temp, sourcePath) == FileErrors::None)
        journal.doneExtra(temp, source);
    return rc == FileErrors::FileExists ? Result::Taken : Result::NotMade;
}
