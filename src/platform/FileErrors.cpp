// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileErrors.h"

#include <cerrno>

int FileErrors::fromErrno(int errnum, Operation operation)
{
    switch (errnum) {
    case 0:
        return None;
    case ENOENT:
    case ENOTDIR:
        return FileNotFound;
    case EEXIST:
    case ENOTEMPTY:
        return FileExists;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return DiskFull;
    case EIO:
        return DeviceIO;
    case ENOMEM:
        return OutOfMemory;
    case ENXIO:
    case ENODEV:
        return DeviceUnavailable;
    case ENOMEDIUM:
        return DiskNotReady;
    case ENAMETOOLONG:
    case EINVAL:
        return PathAccess;
    case EROFS:
        return operation == Operation::Rename ? InvalidCall : PathAccess;
    case EACCES:
    case EPERM:
    case ETXTBSY:
        return operation == Operation::OpenOrWrite ? PathAccess : PermissionDenied;
    default:
        return PathAccess;
    }
}
