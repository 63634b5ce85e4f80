// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/FileSystem.h"

#include <QHash>
#include <QSet>

// The file system as a rename pass would leave it, kept in memory: it reads
// through to the real one and keeps renames to itself, so the dry run of
// quillon-cli runs the pass's own rules and changes nothing. Dates and
// attributes are accepted and dropped; anything that would write a file
// refuses (75).
class DryRunFileSystem : public FileSystem
{
public:
    static constexpr qsizetype MaxNameBytes = 255;

    explicit DryRunFileSystem(FileSystem& real) : m_real(real) {}

    [[nodiscard]] int enumerate(const QString& folder, bool wantAttributes,
                                const std::function<bool(const Entry&)>& visit) override;
    [[nodiscard]] int stat(const QString& path, Entry& entry) override;
    [[nodiscard]] bool isVisibleFile(const QString& path) override;
    [[nodiscard]] int attributes(const QString& path, int& attributes) override;
    [[nodiscard]] int setAttributes(const QString& path, int attributes) override;
    [[nodiscard]] int creationTime(const QString& path, Time& time) override;
    [[nodiscard]] int setCreationTime(const QString& path, const Time& time) override;
    [[nodiscard]] int setModifiedTime(const QString& path, const Time& time) override;
    [[nodiscard]] int fileState(const QString& path, FileState& state) override
    {
        return m_real.fileState(path, state);
    }
    [[nodiscard]] int restoreFileState(const QString&, const FileState&) override { return 0; }
    [[nodiscard]] int rename(const QString& from, const QString& to) override;
    [[nodiscard]] int copyFile(const QString&, const QString&) override { return Refused; }
    [[nodiscard]] int removeFile(const QString&) override { return Refused; }
    [[nodiscard]] int deleteFiles(const QString&) override { return Refused; }
    [[nodiscard]] int writeAtStart(const QString&, const QByteArray&) override { return Refused; }
    [[nodiscard]] int createFile(const QString&, const QByteArray&) override { return Refused; }
    [[nodiscard]] int readChunks(const QString& path, qsizetype chunkSize,
                                 const std::function<bool(const QByteArray&)>& visit) override;
    [[nodiscard]] std::unique_ptr<FileDevice> openForWriting(const QString&, int& error) override;
    void closeAll() override {}
    [[nodiscard]] QString currentFolder() override { return m_real.currentFolder(); }
    [[nodiscard]] int enterableFolder(const QString& folder, QString& path) override
    {
        return m_real.enterableFolder(folder, path);
    }
    [[nodiscard]] int setCurrentFolder(const QString& folder) override
    {
        return m_real.setCurrentFolder(folder);
    }

private:
    static constexpr int Refused = 75;
    enum State { Gone, Findable, Unseen }; // Unseen: hidden, system or a folder
    [[nodiscard]] bool exists(const QString& path);
    // Whether an entry of exactly this name is there (a case-insensitive
    // file system also finds other spellings).
    [[nodiscard]] bool existsExactly(const QString& path);

    FileSystem& m_real;
    QHash<QString, State> m_moved; // paths a rename emptied or filled
    QSet<QString> m_exactNames;
    QString m_listedFolder;
};
