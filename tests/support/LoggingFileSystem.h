// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/PosixFileSystem.h"

#include <QMap>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

// The real file system with a log and planted faults, the one file-system
// fake of the tests. The calls that look at or change one file are logged as
// "operation name[ detail]" (the name without its folder); a planted fault
// makes one operation on one name (or, with failAll, on every name) fail with
// a chosen code instead of running; `before` runs ahead of every logged call,
// so a test can look at a file just before it changes.
//
// With memoryDisk set, new files go to `written` in memory instead, which
// fails as a full disk does (61) past memoryDisk bytes; with everySize set,
// every file has that size, so names too long for a real disk can be listed.
class LoggingFileSystem : public PosixFileSystem
{
    class MemoryDevice : public FileDevice
    {
    public:
        MemoryDevice(QByteArray& sink, qint64 room) : m_sink(sink), m_room(room)
        {
            open(QIODevice::WriteOnly);
        }
        int errorCode() const override { return m_error; }

    protected:
        qint64 readData(char*, qint64) override { return -1; }
        qint64 writeData(const char* data, qint64 len) override
        {
            const qint64 fits = qMin(len, m_room - m_sink.size());
            m_sink.append(data, fits);
            m_error = fits < len ? 61 : 0;
            return fits < len ? -1 : len;
        }

    private:
        QByteArray& m_sink;
        qint64 m_room;
        int m_error = 0;
    };

public:
    std::optional<qint64> memoryDisk;
    QByteArray written;
    std::optional<qint64> everySize;

    QStringList log;
    std::function<void(const QString& operation, const QString& path)> before;

    void failOn(const QString& operation, const QString& name, int code)
    {
        m_faults.insert(operation + QLatin1Char(' ') + name, code);
    }
    void failAll(const QString& operation, int code) { m_faults.insert(operation, code); }

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
    int setCreationTime(const QString& path, const Time& time) override
    {
        const int rc = enter(QStringLiteral("setCreationTime"), path);
        return rc ? rc : PosixFileSystem::setCreationTime(path, time);
    }
    int setModifiedTime(const QString& path, const Time& time) override
    {
        const int rc = enter(QStringLiteral("setModifiedTime"), path);
        return rc ? rc : PosixFileSystem::setModifiedTime(path, time);
    }
    int rename(const QString& from, const QString& to) override
    {
        const int rc = enter(QStringLiteral("rename"), from, to.mid(to.lastIndexOf('/') + 1));
        return rc ? rc : PosixFileSystem::rename(from, to);
    }
    std::unique_ptr<FileDevice> openForWriting(const QString& path, int& error) override
    {
        if (!memoryDisk)
            return PosixFileSystem::openForWriting(path, error);
        error = 0;
        written.clear();
        return std::make_unique<MemoryDevice>(written, *memoryDisk);
    }
    int fileSize(const QString& path, qint64& size) override
    {
        if (!everySize)
            return PosixFileSystem::fileSize(path, size);
        size = *everySize;
        return 0;
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
        return m_faults.value(key, m_faults.value(operation, 0));
    }

    QMap<QString, int> m_faults;
};
