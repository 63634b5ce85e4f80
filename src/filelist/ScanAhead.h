// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "filelist/FolderScan.h"

#include <QString>

#include <future>

class FileSystem;

// A folder scan started on other threads before its list is wanted: the
// program reads its start folder while the toolkit and the window are being
// set up, and the first listing takes the result instead of reading again.
// The file system must not change its current folder meanwhile (the scan
// makes the folder the current one, as every scan does).
class ScanAhead
{
public:
    ScanAhead(FileSystem& fs, const QString& folder, const QString& typeFilter);
    ~ScanAhead(); // waits for the scan
    ScanAhead(const ScanAhead&) = delete;
    ScanAhead& operator=(const ScanAhead&) = delete;

    // Waits for the scan; true, with its result and rows, when it read this
    // folder with this filter. A result is taken once.
    bool take(const QString& folder, const QString& typeFilter, FolderScan::Result& result,
              FileListModel::Rows& rows);

private:
    struct Scanned {
        FolderScan::Result result;
        FileListModel::Rows rows;
    };
    QString m_folder;
    QString m_typeFilter;
    std::future<Scanned> m_scan;
};
