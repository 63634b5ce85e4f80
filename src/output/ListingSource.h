// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "filelist/FileListModel.h"
#include "platform/FileSystem.h"

#include <QString>

// The listing as the output operations (export, print, copy) see it: the
// model, how many positions are listed, the folder the files are in and the
// directory box text that titles the listing.
struct ListingSource {
    const FileListModel& model;
    // Highest listed position; -1 when the folder holds no files (the model
    // then still has its one empty record).
    int fileLast = -1;
    // The folder of the listed files; their sizes are read from there.
    QString folderPath;
    // The directory box text, as it appears in titles.
    QString folderText;

    QString title() const { return QStringLiteral("Directory ") + folderText; }
    QString pathOf(QStringView name) const;
    // The size of the listed file on disk now; a file error code (53 for a
    // vanished file) when it cannot be read.
    int sizeOnDisk(int record, FileSystem& fs, qint64& size) const;
};
