// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "DiskErrors.h"

#include "platform/FileErrors.h"

QString DiskErrors::text(int code)
{
    switch (code) {
    case FileErrors::OutOfMemory:
        return QStringLiteral("Out of Memmory");
    case FileErrors::DeviceIO:
        return QStringLiteral("Drive Failed, Cannot read or write");
    case FileErrors::DiskFull:
        return QStringLiteral("The Current Drive is full, Cannot read or write file");
    case FileErrors::DeviceUnavailable:
        return QStringLiteral(
            "The device you are trying to access either is not online or doesn't exist");
    case FileErrors::PermissionDenied:
        return QStringLiteral("Permission denied, An attempt was made to write to a "
                              "write-protected disk or to access a locked file");
    case FileErrors::DiskNotReady:
        return QStringLiteral("No disk in selected drive");
    case FileErrors::PathAccess:
        return QStringLiteral(
            "Cannot Read or Write file to the current protected Read-Only drive or directory");
    default:
        return QStringLiteral("File or drive may be dammaged ") + QString::number(code);
    }
}

void DiskErrors::show(int code, Prompter& prompter, FileSystem& fs)
{
    fs.closeAll();
    prompter.message(text(code));
}
