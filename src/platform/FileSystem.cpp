// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileSystem.h"

int FileSystem::fileSize(const QString& path, qint64& size)
{
    Entry entry;
    const int rc = stat(path, entry);
    size = entry.size;
    return rc;
}

int FileSystem::writeZerosAtStart(const QString& path, qint64 count)
{
    return writeAtStart(path, QByteArray(qsizetype(count), '\0'));
}

int FileSystem::folderNames(const QString& folder, QSet<QString>& names)
{
    names.clear();
    return enumerate(folder, false, [&names](const Entry& e) {
        if (e.isFolder)
            names.insert(e.name);
        return true;
    });
}
