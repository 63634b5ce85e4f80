// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "DosAttribFile.h"

#include "FileErrors.h"

#include <cerrno>
#include <sys/xattr.h>

bool DosAttribFile::read(const char* path, DosAttrib& out)
{
    char buf[256];
    const ssize_t n = ::lgetxattr(path, DosAttrib::Name, buf, sizeof buf);
    if (n < 0)
        return false;
    out = DosAttrib::decode(QByteArray(buf, int(n)));
    return out.present;
}

int DosAttribFile::write(const char* path, const DosAttrib& value)
{
    const QByteArray bytes = value.encode();
    if (::lsetxattr(path, DosAttrib::Name, bytes.constData(), size_t(bytes.size()), 0) == 0)
        return FileErrors::None;
    return errno == ENOTSUP ? FileErrors::PathAccess
                            : FileErrors::fromErrno(errno, FileErrors::Operation::Other);
}

int DosAttribFile::writeKeepingMode(const QByteArray& path, const struct stat& st,
                                    const DosAttrib& value)
{
    int rc = write(path.constData(), value);
    if (rc == FileErrors::None || errno != EACCES || !S_ISREG(st.st_mode) || (st.st_mode & S_IWUSR))
        return rc;
    if (::chmod(path.constData(), (st.st_mode & 07777) | S_IWUSR) != 0)
        return rc;
    rc = write(path.constData(), value);
    if (::chmod(path.constData(), st.st_mode & 07777) != 0 && rc == FileErrors::None)
        rc = FileErrors::fromErrno(errno, FileErrors::Operation::Other);
    return rc;
}

int DosAttribFile::readForUpdate(const QByteArray& path, struct stat& st, DosAttrib& dos)
{
    if (::lstat(path.constData(), &st) != 0)
        return FileErrors::fromErrno(errno, FileErrors::Operation::Other);
    read(path.constData(), dos);
    return FileErrors::None;
}
