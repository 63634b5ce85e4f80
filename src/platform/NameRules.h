// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

// What the file system of a folder accepts as a name, and which names it
// takes for one:
// - foldsCase: names that differ only in letter case are the same file
//   (vfat, exFAT, cifs/smb3, ext4 and tmpfs folders with the casefold flag,
//   and the FUSE disks that answer to a name in another case);
// - windowsNames: the Windows rules hold (vfat, exFAT, NTFS, cifs/smb3): no
//   \ / : * ? " < > | or control characters, no trailing dot or space, none
//   of CON, PRN, AUX, NUL, COM1-9, LPT1-9 with any extension.
// Everywhere a name holds at most MaxBytes bytes of UTF-8.
class NameRules
{
public:
    static constexpr int MaxBytes = 255;

    bool foldsCase = false;
    bool windowsNames = false;

    // The rules of the file system the folder lies on; the defaults where it
    // cannot be looked at.
    static NameRules forFolder(const QString& folder);

    // Why a file could not get this name here: empty when it can.
    QString refusal(QStringView name) const;
    // Whether refusal(name) is not empty, without writing the reason: the
    // collision marks ask it of every proposal of a list.
    bool refuses(QStringView name) const;
    static QString windowsRefusal(QStringView name);
    static qsizetype byteLength(QStringView name); // of its UTF-8
    static bool fits(QStringView name);            // in MaxBytes

    // The name with its stem shortened to fit MaxBytes, cut between two
    // characters (never inside one) and keeping the extension; the name as
    // it is when it fits or when the extension alone is too long.
    static QString fitLength(const QString& name);
};
