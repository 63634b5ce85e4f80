// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QTemporaryDir>

// A small file system mounted for one test: a tmpfs of a few hundred KiB (a
// full disk), a tmpfs remounted read-only (a read-only medium), a ramfs (no
// user extended attributes), or an exFAT (exfat-fuse) or NTFS (ntfs-3g) disk
// made on a loop device (a disk that folds case, Windows names). Mounting
// needs root and, for the disks, their tools; tests check available() and
// QSKIP with skipReason() otherwise. The destructor unmounts on every path.
class ScratchMount
{
public:
    enum Kind { Tmpfs, Ramfs, Exfat, Ntfs };

    explicit ScratchMount(Kind kind, const QString& options = QString());
    ~ScratchMount();
    ScratchMount(const ScratchMount&) = delete;
    ScratchMount& operator=(const ScratchMount&) = delete;

    bool available() const { return m_mounted; }
    QString skipReason() const { return m_reason; }
    QString path() const; // ends in "/"
    bool remountReadOnly();

private:
    bool mountDisk(Kind kind);

    QTemporaryDir m_dir;
    QTemporaryDir m_image; // the disk's image file
    QString m_loop;        // its loop device
    bool m_mounted = false;
    QString m_reason;
};
