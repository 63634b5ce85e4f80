#pragma once

#include "platform/PosixFileSystem.h"

#include <QMap>
#include <QStringList>

#include <functional>

// The real file system with a log and planted faults. The calls that look at
// or change one file are logged as "operation name[ detail]" (the name without
// its folder); a planted fault makes one operation on one name fail with a
// chosen code instead of running; `before` runs ahead of every logged call, so
// a test can look at a file just before it changes.
class LoggingFileSystem : public PosixFileSystem
{
public:
    QStringList log;
    std::function<void(const QString& operation, const QString& path)> before;

    void failOn(const QString& operation, const QString& name, int code)
    {
        m_faults.insert(operation + QLatin1Char(' ') + name, code);
    }

    int stat(const QString& path, Entry& entry) override
    {
        const int rc = enter(QStringLiteral("stat"), path);
        return rc ? rc : PosixFileSystem::stat(path, entry);
    }
    int setAttributes(const QString& path, int value) override
    {
        const int rc = enter(QStringLiteral("setAttributes"), path, QString::number(value));
        return rc ? rc : PosixFileSystem::setAttributes(path, value);
    }
    int writeZerosAtStart(const QString& path, qint64 count) override
    {
        const int rc = enter(QStringLiteral("writeZerosAtStart"), path, QString::number(count));
        return rc ? rc : PosixFileSystem::writeZerosAtStart(path, count);
    }
    int removeFile(const QString& path) override
    {
        const int rc = enter(QStringLiteral("removeFile"), path);
        return rc ? rc : PosixFileSystem::removeFile(path);
    }
    int createFile(const QString& path, const QByteArray& bytes) override
    {
        const int rc =
            enter(QStringLiteral("createFile"), path, QString::fromLatin1(bytes.toHex(' ')));
        return rc ? rc : PosixFileSystem::createFile(path, bytes);
    }
    int readChunks(const QString& path, qsizetype chunkSize,
                   const std::function<bool(const QByteArray&)>& visit) override
    {
        const int rc = enter(QStringLiteral("readChunks"), path);
        return rc ? rc : PosixFileSystem::readChunks(path, chunkSize, visit);
    }

private:
    int enter(const QString& operation, const QString& path, const QString& detail = QString())
    {
        const QString key = operation + QLatin1Char(' ') + path.mid(path.lastIndexOf('/') + 1);
        log << (detail.isNull() ? key : key + QLatin1Char(' ') + detail);
        if (before)
            before(operation, path);
        return m_faults.value(key, 0);
    }

    QMap<QString, int> m_faults;
};
