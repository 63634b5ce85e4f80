// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "DurableFile.h"

#include "FileErrors.h"
#include "FileNameCodec.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

int fail()
{
    return FileErrors::fromErrno(errno, FileErrors::Operation::OpenOrWrite);
}

int writeAll(int fd, const QByteArray& bytes, qsizetype* written = nullptr)
{
    qsizetype done = 0;
    int rc = FileErrors::None;
    while (done < bytes.size()) {
        const ssize_t w = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (w < 0) {
            if (errno == EINTR)
                continue;
            rc = fail();
            break;
        }
        done += w;
    }
    if (written)
        *written = done;
    return rc;
}

int syncFolder(const QByteArray& folder)
{
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return fail();
    const int rc = ::fsync(fd) == 0 ? int(FileErrors::None) : fail();
    ::close(fd);
    return rc;
}

// Starts writing what was written to the disk without waiting for it, so
// that the next sync finds little left to do. Only a hint: the sync is
// what makes the bytes durable.
void startWriteback(int fd)
{
    ::sync_file_range(fd, 0, 0, SYNC_FILE_RANGE_WRITE);
}

QByteArray folderOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : path.left(qMax<qsizetype>(slash, 1));
}

} // namespace

bool DurableFile::isSymLink(const QString& path)
{
    struct stat st;
    return ::lstat(FileNameCodec::encode(path).constData(), &st) == 0 && S_ISLNK(st.st_mode);
}

int DurableFile::create(const QString& path, const QByteArray& bytes)
{
    int rc = start(path);
    if (rc == FileErrors::None)
        rc = add(bytes);
    return rc == FileErrors::None ? commit() : rc;
}

int DurableFile::start(const QString& path)
{
    close();
    if (isSymLink(path))
        return FileErrors::PathAccess;
    const QByteArray target = FileNameCodec::encode(path);
    const QByteArray name = target.mid(target.lastIndexOf('/') + 1);
    // The temporary name starts with "." and ends with the process id and a
    // counter, so two programs writing at once never share one.
    for (int i = 0; m_fd < 0 && i < 100; ++i) {
        m_temp = folderOf(target) + "/." + name + '.' + QByteArray::number(::getpid()) + '.' +
                 QByteArray::number(i) + ".tmp";
        m_fd =
            ::open(m_temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (m_fd < 0 && errno != EEXIST)
            return fail();
    }
    if (m_fd < 0)
        return FileErrors::FileExists;
    m_target = target;
    return FileErrors::None;
}

int DurableFile::add(const QByteArray& bytes)
{
    if (m_target.isEmpty())
        return FileErrors::FileNotFound;
    const int rc = writeAll(m_fd, bytes);
    if (rc != FileErrors::None) {
        discard();
        return rc;
    }
    startWriteback(m_fd);
    return rc;
}

int DurableFile::commit()
{
    if (m_target.isEmpty())
        return FileErrors::FileNotFound;
    int rc = ::fsync(m_fd) == 0 ? int(FileErrors::None) : fail();
    if (rc == FileErrors::None && ::rename(m_temp.constData(), m_target.constData()) != 0)
        rc = fail();
    if (rc != FileErrors::None) {
        discard();
        return rc;
    }
    const QByteArray folder = folderOf(m_target);
    m_temp.clear();
    m_target.clear();
    return syncFolder(folder);
}

void DurableFile::discard()
{
    ::close(m_fd);
    ::unlink(m_temp.constData());
    m_fd = -1;
    m_temp.clear();
    m_target.clear();
}

int DurableFile::append(const QByteArray& bytes, qsizetype* written)
{
    if (written)
        *written = 0;
    if (!isOpen())
        return FileErrors::FileNotFound;
    const int rc = writeAll(m_fd, bytes, written);
    startWriteback(m_fd);
    return rc;
}

int DurableFile::reopen(const QString& path, qint64 keep)
{
    close();
    m_fd = ::open(FileNameCodec::encode(path).constData(),
                  O_WRONLY | O_APPEND | O_NOFOLLOW | O_CLOEXEC);
    if (m_fd < 0)
        return errno == ELOOP ? int(FileErrors::PathAccess) : fail();
    if (::ftruncate(m_fd, off_t(keep)) != 0) {
        const int rc = fail();
        close();
        return rc;
    }
    return FileErrors::None;
}

int DurableFile::sync()
{
    if (!isOpen())
        return FileErrors::FileNotFound;
    return ::fdatasync(m_fd) == 0 ? int(FileErrors::None) : fail();
}

void DurableFile::close()
{
    if (!m_target.isEmpty())
        discard();
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}
