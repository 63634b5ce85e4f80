// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FileSystem.h"

#include <QByteArray>

// What the list shows of one file: type, size, both times and attributes,
// from one statx and its user.DOSATTRIB. A link describes its target; a
// dangling one describes itself.
class FileEntryReader
{
public:
    // name is relative to dirfd (or AT_FDCWD); fullPath is the same file's
    // whole path. False when statx fails.
    static bool fill(int dirfd, const char* name, const QByteArray& fullPath, bool wantAttributes,
                     FileSystem::Entry& e);
};
