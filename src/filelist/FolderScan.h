// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "filelist/FileListModel.h"

#include <QSet>
#include <QString>

class FileSystem;

// Reads one folder into rows for the file list: every entry that is not a
// folder and passes the file-type filter (TypeFilter), at most 1,000,001 files (the first
// ones the file system returns), put in name order (NameOrder: letter case
// ignored, as the designed platform's file system returns a folder). Errors
// are passed over: a folder that cannot be read gives no rows.
class FolderScan
{
public:
    static constexpr int MaxIndex = 1000000; // indices 0..1,000,000

    struct Result {
        QString folderPath;   // the folder with a trailing "/"
        int fileLast = -1;    // highest index found; -1 when none passed
        bool leftOut = false; // more files passed than the list takes
        // The names of the folder that are not listed (folders, files the
        // filter leaves out; not those past the most the list takes, where
        // the scan stops): a proposal may not take them.
        QSet<QString> unlisted;
    };

    // Reads folder (the process's current folder stays as it is); the rows
    // get creation date, modified date, name, an empty new name and the
    // grouped size. typeFilter is the type box's text.
    static Result scan(FileSystem& fs, const QString& folder, const QString& typeFilter,
                       FileListModel::Rows& rows);

    // folder with "/" appended unless it already ends in one.
    static QString folderPathFor(const QString& folder);
    // The padding text for the number box: as many digits as the file count.
    static QString zerosFor(int fileLast);
};
