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
// - The creation time is the stored one, else the statx birth time, else the
//   modified time.
// - A rename never replaces a target (RENAME_NOREPLACE). A change of letter
//   case only goes through a temporary name when the file system says the
//   target exists because it folds case.
// - Names go through FileNameCodec, so bytes that are not UTF-8 survive.
class PosixFileSystem : public FileSystem
{
public:
    int enumerate(const QString& folder, bool wantAttributes,
                  const std::function<bool(const Entry&)>& visit) override;
    int stat(const QString& path, Entry& entry) override;
    int fileSize(const QString& path, qint64& size) override;
    bool findName(const QString& path) override;
    int attributes(const QString& path, int& attributes) override;
    int setAttributes(const QString& path, int attributes) override;
    int creationTime(const QString& path, Time& time) override;
    int setCreationTime(const QString& path, const Time& time) override;
    int setModifiedTime(const QString& path, const Time& time) override;
    int rename(const QString& from, const QString& to) override;
    int copyFile(const QString& from, const QString& to) override;
    int removeFile(const QString& path) override;
    int deleteFiles(const QString& pattern) override;
    int writeAtStart(const QString& path, const QByteArray& bytes) override;
    int writeZerosAtStart(const QString& path, qint64 count) override;
    int createFile(const QString& path, const QByteArray& bytes) override;
    int readChunks(const QString& path, qsizetype chunkSize,
                   const std::function<bool(const QByteArray&)>& visit) override;
    std::unique_ptr<FileDevice> openForWriting(const QString& path, int& error) override;
    void closeAll() override;
    QString currentFolder() override;
    int setCurrentFolder(const QString& folder) override;

    void forget(FileDevice* device); // called by a device as it closes

private:
    QSet<FileDevice*> m_open;
};
