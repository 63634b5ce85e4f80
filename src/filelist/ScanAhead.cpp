// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScanAhead.h"

ScanAhead::ScanAhead(FileSystem& fs, const QString& folder, const QString& typeFilter)
    : m_folder(folder), m_typeFilter(typeFilter)
{
    m_scan = std::async(std::launch::async, [&fs, folder, typeFilter] {
        Scanned s;
        s.result = FolderScan::scan(fs, folder, typeFilter, s.rows);
        return s;
    });
}

ScanAhead::~ScanAhead()
{
    if (m_scan.valid())
        m_scan.wait();
}

bool ScanAhead::take(const QString& folder, const QString& typeFilter, FolderScan::Result& result,
                     FileListModel::Rows& rows)
{
    if (!m_scan.valid())
        return false;
    // The scan's exception (out of memory) reaches the caller here.
    Scanned s = m_scan.get();
    if (folder != m_folder || typeFilter != m_typeFilter)
        return false;
    result = std::move(s.result);
    rows = std::move(s.rows);
    return true;
}
