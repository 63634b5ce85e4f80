// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QSet>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

// The file services the program calls, behind one interface so that tests can
// put a fake in place of the real one to provoke faults the machine cannot
// (see PosixFileSystem for the real thing). Paths are full paths or bare
// names, which resolve against the current folder. Every operation returns a
// file error code (FileErrors; 0 is success).
class FileSystem
{
public:
    // Windows attribute bits, kept on Linux as described in PosixFileSystem.
    enum Attribute : int {
        Normal = 0,
        ReadOnly = 1,
        Hidden = 2,
        System = 4,
        Folder = 16,
        Archive = 32,
    };

    // A point in time: seconds since the Unix epoch (UTC) and nanoseconds.
    struct Time {
        qint64 seconds = 0;
        qint32 nanoseconds = 0;
    };

    // What one directory entry or one stat call tells.
    struct Entry {
        QString name; // the entry's name, without folder
        bool isFolder = false;
        // The entry itself is a symbolic link; the fields below describe its
        // target (or the link, when the target is missing).
        bool isSymLink = false;
        bool statOk = false; // the fields below were read
        qint64 size = 0;     // true 64-bit length
        Time created;        // stored creation time, else birth time, else modified
        Time modified;
        int attributes = 0; // Attribute bits
        int links = 1;      // names of the entry itself (hard links)
    };

    // What a rename pass may change of a file besides its name, as it is on
    // the disk, so that an undo can put it back exactly: the modified time,
    // the permission bits and the raw user.DOSATTRIB value (which holds the
    // attributes and the stored creation time).
    struct FileState {
        Time modified;
        int mode = 0;              // permission bits, 07777
        bool hasDosAttrib = false; // the file had a user.DOSATTRIB
        QByteArray dosAttrib;      // its bytes, as they were
        bool operator==(const FileState&) const = default;
    };

    virtual ~FileSystem() = default;

    // Calls visit for every entry of the folder ("." and ".." included, as the
    // platform returns them, unsorted) until visit returns false. The entry is
    // filled with one statx; attributes are read only when wantAttributes.
    [[nodiscard]] virtual int enumerate(const QString& folder, bool wantAttributes,
                                        const std::function<bool(const Entry&)>& visit) = 0;
    [[nodiscard]] virtual int stat(const QString& path, Entry& entry) = 0;
    // The names of the folder's entries that stat() calls folders, in one
    // read of the folder rather than a stat of every entry.
    [[nodiscard]] virtual int folderNames(const QString& folder, QSet<QString>& names);
    // The byte length of the file (a link's target), with nothing else read:
    // listings read one per row, a million times over.
    [[nodiscard]] virtual int fileSize(const QString& path, qint64& size);

    // True when path is a normal, read-only or archive file: it exists, is
    // not a folder and reads neither hidden nor system.
    [[nodiscard]] virtual bool isVisibleFile(const QString& path) = 0;

    [[nodiscard]] virtual int attributes(const QString& path, int& attributes) = 0;
    [[nodiscard]] virtual int setAttributes(const QString& path, int attributes) = 0;

    // Times and attributes are those of the entry itself: a symbolic link
    // is changed as the link (or refused), its target never.
    [[nodiscard]] virtual int creationTime(const QString& path, Time& time) = 0;
    [[nodiscard]] virtual int setCreationTime(const QString& path, const Time& time) = 0;
    [[nodiscard]] virtual int setModifiedTime(const QString& path, const Time& time) = 0;

    // The state of the entry itself (a link is not followed), and the same
    // put back: the DOSATTRIB value (removed where there was none), the
    // permission bits (not on a link, which has none) and last the modified
    // time.
    [[nodiscard]] virtual int fileState(const QString& path, FileState& state) = 0;
    [[nodiscard]] virtual int restoreFileState(const QString& path, const FileState& state) = 0;

    // Never replaces an existing target (code 58); a change of letter case
    // only succeeds, also on a case-insensitive file system.
    [[nodiscard]] virtual int rename(const QString& from, const QString& to) = 0;
    // Copies into a new file: an existing target, a symbolic link too, is
    // never replaced nor written through (code 58).
    [[nodiscard]] virtual int copyFile(const QString& from, const QString& to) = 0;
    [[nodiscard]] virtual int removeFile(const QString& path) = 0; // a link is removed as the link
    [[nodiscard]] virtual int
    deleteFiles(const QString& pattern) = 0; // wildcards * and ? in the name part

    // Writes bytes at offset 0 without truncating; a link is not followed.
    [[nodiscard]] virtual int writeAtStart(const QString& path, const QByteArray& bytes) = 0;
    // Writes count zero bytes from offset 0 without truncating; a link is not
    // followed. The real file system writes from a small buffer, so a file of
    // any size costs little memory.
    [[nodiscard]] virtual int writeZerosAtStart(const QString& path, qint64 count);
    // Creates (or truncates) the file and writes bytes.
    [[nodiscard]] virtual int createFile(const QString& path, const QByteArray& bytes) = 0;
    // Reads the file in chunks of at most chunkSize bytes until visit returns
    // false. Only regular files are read: anything else (a folder, a pipe, a
    // device) fails with 75 rather than block or never end.
    [[nodiscard]] virtual int readChunks(const QString& path, qsizetype chunkSize,
                                         const std::function<bool(const QByteArray&)>& visit) = 0;
    // A device for writing a new file (created or truncated). Its errorCode()
    // tells why a write failed; see FileDevice.
    [[nodiscard]] virtual std::unique_ptr<class FileDevice> openForWriting(const QString& path,
                                                                           int& error) = 0;
    // Closes every file the program has open through openForWriting().
    virtual void closeAll() = 0;

    [[nodiscard]] virtual QString currentFolder() = 0;
    [[nodiscard]] virtual int setCurrentFolder(const QString& folder) = 0;
    // The absolute path, links and ".." resolved, of a folder that could be
    // made the current folder (folder relative to the current one), without
    // making it so; a file error code when it could not.
    [[nodiscard]] virtual int enterableFolder(const QString& folder, QString& path) = 0;
};

// A QIODevice over a file opened by the platform layer; write errors keep
// their file error code, so a full disk reads as 61, not "some error".
class FileDevice : public QIODevice
{
public:
    [[nodiscard]] virtual int errorCode() const = 0;
};
