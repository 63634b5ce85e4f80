#pragma once

#include "platform/FileSystem.h"
#include "platform/PosixFileSystem.h"

#include <QMap>
#include <QStringList>
#include <QVariant>

#include <functional>

// The real file system with a log and planted faults: every call that looks
// at or changes one file is logged as "operation name[ detail]" (name without
// folder), and a planted fault makes one operation on one name fail with a
// chosen code instead of running. `before` runs ahead of every logged call,
// so a test can look at a file just before it changes.
class ForwardingFileSystem : public FileSystem
{
public:
    QStringList log;
    std::function<void(const QString& operation, const QString& path)> before;

    void failOn(const QString& operation, const QString& name, int code)
    {
        m_faults.insert(operation + QLatin1Char(' ') + name, code);
    }

    int enumerate(const QString& folder, bool wantAttributes,
                  const std::function<bool(const Entry&)>& visit) override
    {
        return m_real.enumerate(folder, wantAttributes, visit);
    }
    int stat(const QString& path, Entry& entry) override
    {
        if (const int rc = enter(QStringLiteral("stat"), path))
            return rc;
        return m_real.stat(path, entry);
    }
    bool findName(const QString& path) override { return m_real.findName(path); }
    int attributes(const QString& path, int& attributes) override
    {
        return m_real.attributes(path, attributes);
    }
    int setAttributes(const QString& path, int attributes) override
    {
        if (const int rc = enter(QStringLiteral("setAttributes"), path, attributes))
            return rc;
        return m_real.setAttributes(path, attributes);
    }
    int creationTime(const QString& path, Time& time) override
    {
        return m_real.creationTime(path, time);
    }
    int setCreationTime(const QString& path, const Time& time) override
    {
        return m_real.setCreationTime(path, time);
    }
    int setModifiedTime(const QString& path, const Time& time) override
    {
        return m_real.setModifiedTime(path, time);
    }
    int rename(const QString& from, const QString& to) override
    {
        if (const int rc = enter(QStringLiteral("rename"), from))
            return rc;
        return m_real.rename(from, to);
    }
    int copyFile(const QString& from, const QString& to) override
    {
        if (const int rc = enter(QStringLiteral("copyFile"), from))
            return rc;
        return m_real.copyFile(from, to);
    }
    int removeFile(const QString& path) override
    {
        if (const int rc = enter(QStringLiteral("removeFile"), path))
            return rc;
        return m_real.removeFile(path);
    }
    int deleteFiles(const QString& pattern) override
    {
        if (const int rc = enter(QStringLiteral("deleteFiles"), pattern))
            return rc;
        return m_real.deleteFiles(pattern);
    }
    int writeAtStart(const QString& path, const QByteArray& bytes) override
    {
        if (const int rc = enter(QStringLiteral("writeAtStart"), path, bytes.size()))
            return rc;
        return m_real.writeAtStart(path, bytes);
    }
    int writeZerosAtStart(const QString& path, qint64 count) override
    {
        if (const int rc = enter(QStringLiteral("writeZerosAtStart"), path, count))
            return rc;
        return m_real.writeZerosAtStart(path, count);
    }
    int createFile(const QString& path, const QByteArray& bytes) override
    {
        if (const int rc =
                enter(QStringLiteral("createFile"), path, QString::fromLatin1(bytes.toHex(' '))))
            return rc;
        return m_real.createFile(path, bytes);
    }
    int readChunks(const QString& path, qsizetype chunkSize,
                   const std::function<bool(const QByteArray&)>& visit) override
    {
        if (const int rc = enter(QStringLiteral("readChunks"), path))
            return rc;
        return m_real.readChunks(path, chunkSize, visit);
    }
    std::unique_ptr<FileDevice> openForWriting(const QString& path, int& error) override
    {
        return m_real.openForWriting(path, error);
    }
    void closeAll() override { m_real.closeAll(); }
    QString currentFolder() override { return m_real.currentFolder(); }
    int setCurrentFolder(const QString& folder) override { return m_real.setCurrentFolder(folder); }

private:
    int enter(const QString& operation, const QString& path, const QVariant& detail = {})
    {
        const QString name = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
        log << (detail.isValid()
                    ? operation + QLatin1Char(' ') + name + QLatin1Char(' ') + detail.toString()
                    : operation + QLatin1Char(' ') + name);
        if (before)
            before(operation, path);
        return m_faults.value(operation + QLatin1Char(' ') + name, 0);
    }

    PosixFileSystem m_real;
    QMap<QString, int> m_faults;
};
