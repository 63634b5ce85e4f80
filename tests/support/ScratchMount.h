// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QTemporaryDir>

// A small file system mounted for one test: a tmpfs of a few hundred KiB (a
// full disk), a tmpfs remounted read-only (a read-only medium) or a ramfs (no
// user extended attributes). Mounting needs root; tests check available()
// and QSKIP with skipReason() otherwise. The destructor unmounts on every path.
class ScratchMount
{
public:
    enum Kind { Tmpfs, Ramfs };

    explicit ScratchMount(Kind kind, const QString& options = QString());
    ~ScratchMount();
    ScratchMount(const ScratchMount&) = delete;
    ScratchMount& operator=(const ScratchMount&) = delete;

    bool available() const { return m_mounted; }
    QString skipReason() const { return m_reason; }
    QString path() const; // ends in "/"
    bool remountReadOnly();

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
    QString m_reason;
};
