// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FileSystem.h"

#include <QSet>

// The real file services on Linux.
// - Read-only is "no write permission": setting it clears every w bit,
//   clearing it restores the owner's. Hidden, system and archive live in the
//   extended attribute user.DOSATTRIB (Samba's format, see DosAttrib), which
//   also keeps the read-only bit and the creation time. A name that starts
//   with "." reads as hidden. Where the file system has no user xattrs,
//   setting hidden or system or a creation time fails with 75; clearing works.
//   Writing that attribute needs write permission: the owner of a read-only
//   file gets it for the write only, and the file keeps its exact mode.
// - The creation time is the stored one, else the statx birth time, else the
//   modified time.
// - A rename never replaces a target (RENAME_NOREPLACE). A change of letter
//   case only goes through a temporary name when the file system says the
//   target exists because it folds case.
// - Names go through FileNameCodec, so bytes that are not UTF-8 survive.
class PosixFileSystem : public FileSystem
{
public:
    [[nodiscard]] int enumerate(const QString& folder, bool wantAttributes,
                                const std::function<bool(const Entry&)>& visit) override;
    [[nodiscard]] int stat(const QString& path, Entry& entry) override;
    [[nodiscard]] int folderNames(const QString& folder, QSet<QString>& names) override;
    [[nodiscard]] int fileSize(const QString& path, qint64& size) override;
    [[nodiscard]] bool isVisibleFile(const QString& path) override;
    [[nodiscard]] int attributes(const QString& path, int& attributes) override;
    [[nodiscard]] int setAttributes(const QString& path, int attributes) override;
    [[nodiscard]] int creationTime(const QString& path, Time& time) override;
    [[nodiscard]] int setCreationTime(const QString& path, const Time& time) override;
    [[nodiscard]] int setModifiedTime(const QString& path, const Time& time) override;
    [[nodiscard]] int fileState(const QString& path, FileState& state) override;
    [[nodiscard]] int restoreFileState(const QString& path, const FileState& state) override;
    [[nodiscard]] int rename(const QString& from, const QString& to) override;
    [[nodiscard]] int copyFile(const QString& from, const QString& to) override;
    [[nodiscard]] int removeFile(const QString& path) override;
    [[nodiscard]] int deleteFiles(const QString& pattern) override;
    [[nodiscard]] int writeAtStart(const QString& path, const QByteArray& bytes) override;
    [[nodiscard]] int writeZerosAtStart(const QString& path, qint64 count) override;
    [[nodiscard]] int createFile(const QString& path, const QByteArray& bytes) override;
    [[nodiscard]] int readChunks(const QString& path, qsizetype chunkSize,
                                 const std::function<bool(const QByteArray&)>& visit) override;
    [[nodiscard]] std::unique_ptr<FileDevice> openForWriting(const QString& path,
                                                             int& error) override;
    void closeAll() override;
    [[nodiscard]] QString currentFolder() override;
    [[nodiscard]] int setCurrentFolder(const QString& folder) override;
    [[nodiscard]] int enterableFolder(const QString& folder, QString& path) override;

    void forget(FileDevice* device); // called by a device as it closes

private:
    QSet<FileDevice*> m_open;
};
