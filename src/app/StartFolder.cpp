// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "StartFolder.h"

#include "platform/FileSystem.h"

#include <QDir>

int StartFolder::enter(FileSystem& fs, const QString& argument)
{
    const QString path = QDir::cleanPath(QDir(fs.currentFolder()).absoluteFilePath(argument));
    FileSystem::Entry entry;
    const int rc = fs.stat(path, entry);
    if (rc != 0)
        return rc;
    if (entry.isFolder)
        return fs.setCurrentFolder(path);
    const qsizetype slash = path.lastIndexOf(u'/');
    return fs.setCurrentFolder(slash > 0 ? path.left(slash) : QStringLiteral("/"));
}
