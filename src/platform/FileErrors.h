// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The program's file error codes. Every platform operation reports failure as
// one of these (0 means success); messages for them are in DiskErrors.
namespace FileErrors
{

enum Code : int {
    None = 0,
    InvalidCall = 5, // a rename refused on a read-only medium
    OutOfMemory = 7,
    FileNotFound = 53,
    DeviceIO = 57,
    FileExists = 58,
    DiskFull = 61,
    DeviceUnavailable = 68,
    PermissionDenied = 70,
    DiskNotReady = 71,
    PathAccess = 75,
};

// What the failing call was doing; the same errno means different things for
// a rename, for opening or writing a file, and for everything else.
enum class Operation { Rename, OpenOrWrite, Other };

int fromErrno(int errnum, Operation operation);

} // namespace FileErrors
