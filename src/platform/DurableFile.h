// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// A file that survives a crash or a power loss in a known state: create()
// writes the first bytes to a temporary file in the same folder, syncs it,
// renames it over the path and syncs the folder, so the path holds either
// its old contents or the new ones, never a half. append() then adds bytes
// and starts their writeback; the next sync() makes them durable, and a
// crash between the two may lose the newest appended bytes, never what was
// there before.
//
// A path that is a symbolic link is refused (75): the file is never written
// through a link, and a link is never replaced by it either.
class DurableFile
{
public:
    DurableFile() = default;
    ~DurableFile() { close(); }
    DurableFile(const DurableFile&) = delete;
    DurableFile& operator=(const DurableFile&) = delete;

    // Returns a file error code; on failure nothing at path has changed.
    int create(const QString& path, const QByteArray& bytes);
    // create() in steps, for contents built piece by piece: start() opens
    // the temporary file, add() writes to it and starts the writeback of
    // what it wrote, so the building of the next piece overlaps the disk and
    // commit()'s sync finds little left to wait for; commit() syncs, renames
    // over path and syncs the folder. Until commit() returns 0, path is
    // unchanged, and a failure or a close() removes the temporary file.
    int start(const QString& path);
    int add(const QByteArray& bytes);
    int commit();
    // Adds bytes at the end. On failure (a full disk) a part may have been
    // written: written, when given, tells how many bytes went in.
    int append(const QByteArray& bytes, qsizetype* written = nullptr);
    int sync();
    // Opens an existing file (never through a link) to append to it, after
    // cutting it to its first keep bytes: a last line a crash cut short goes
    // before anything is added.
    int reopen(const QString& path, qint64 keep);
    void close();
    // Created or committed, so append() and sync() work.
    bool isOpen() const { return m_fd >= 0 && m_target.isEmpty(); }

    // Whether path is a symbolic link (a missing path is not).
    static bool isSymLink(const QString& path);

private:
    void discard();

    int m_fd = -1;
    QByteArray m_temp;   // while started and not committed
    QByteArray m_target; // likewise
};
