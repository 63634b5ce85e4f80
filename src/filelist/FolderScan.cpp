// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FolderScan.h"

#include "TypeFilter.h"

#include "platform/FileSystem.h"
#include "platform/NameOrder.h"

#include <tuple>

QString FolderScan::folderPathFor(const QString& folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

QString FolderScan::zerosFor(int fileLast)
{
    int digits = 1;
    for (int limit = 9; digits < 7 && fileLast >= limit; limit = limit * 10 + 9)
        ++digits;
    return QString(digits, QLatin1Char('0'));
}

FolderScan::Result FolderScan::scan(FileSystem& fs, const QString& folder,
                                    const QString& typeFilter, FileListModel::Rows& rows)
{
    Result result;
    result.folderPath = folderPathFor(folder);
    // Room for the most files a scan takes, once: pages that are never
    // written cost nothing.
    rows.reserve(MaxIndex + 1, 16);
    const TypeFilter filter(typeFilter);
    // A folder that cannot be listed shows no files.
    std::ignore = fs.enumerate(result.folderPath, false, [&](const FileSystem::Entry& e) {
        if (e.name == QLatin1String(".") || e.name == QLatin1String(".."))
            return true;
        if (e.isFolder || !filter.passes(e.name)) {
            result.unlisted.insert(e.name);
            return true;
        }
        // One file beyond the most the list takes is enough to know that
        // some are left out.
        if (rows.count() > MaxIndex) {
            result.leftOut = true;
            return false;
        }
        rows.appendFile(e.name, e.created.seconds, e.modified.seconds, e.size, e.statOk);
        return true;
    });
    result.fileLast = int(rows.count()) - 1;
    // The records are numbered in name order; their names stay where the
    // listing put them.
    rows.putInOrder(NameOrder::sortedKeys(quint32(rows.count()),
                                          [&rows](quint32 i) { return rows.nameOf(i); }));
    return result;
}
