// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DosAttrib.h"

#include <QByteArray>

#include <sys/stat.h>

// A file's user.DOSATTRIB extended attribute, read and written through its
// path (a link itself, never its target). The write functions return the
// program's error code; a file system without user xattrs gives PathAccess.
class DosAttribFile
{
public:
    // False when the file has none or it cannot be read.
    static bool read(const char* path, DosAttrib& out);
    static int write(const char* path, const DosAttrib& value);
    // A user attribute is written only with write permission. The owner of a
    // read-only file is given it for the write and the file its exact mode
    // back afterwards, so a creation time or new attributes never leave a
    // read-only file writable. st: the file as lstat saw it.
    static int writeKeepingMode(const QByteArray& path, const struct stat& st,
                                const DosAttrib& value);
    // The entry and what its user.DOSATTRIB holds, before a change of either
    // half of it (attributes or creation time) writes both back.
    static int readForUpdate(const QByteArray& path, struct stat& st, DosAttrib& dos);
};
