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

int writeAll(int fd, const QByteArray& bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t w = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (w < 0) {
            if (errno == EINTR)
                continue;
            return fail();
        }
        done += w;
    }
    return FileErrors::None;
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

} // namespace

bool DurableFile::isSymLink(const QString& path)
{
    struct stat st;
    return ::lstat(FileNameCodec::encode(path).constData(), &st) == 0 && S_ISLNK(st.st_mode);
}

int DurableFile::create(const QString& path, const QByteArray& bytes)
{
    close();
    if (isSymLink(path))
        return FileErrors::PathAccess;
    const QByteArray target = FileNameCodec::encode(path);
    const qsizetype slash = target.lastIndexOf('/');
    const QByteArray folder = slash < 0 ? QByteArray(".") : target.left(qMax<qsizetype>(slash, 1));
    // The temporary name starts with "." and ends with the process id and a
    // counter, so two programs writing at once never share one.
    QByteArray temp;
    int fd = -1;
    for (int i = 0; fd < 0 && i < 100; ++i) {
        temp = folder + "/." + target.mid(slash + 1) + '.' + QByteArray::number(::getpid()) + '.' +
               QByteArray::number(i) + ".tmp";
        fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0 && errno != EEXIST)
            return fail();
    }
    if (fd < 0)
        return FileErrors::FileExists;
    int rc = writeAll(fd, bytes);
    if (rc == FileErrors::None && ::fsync(fd) != 0)
        rc = fail();
    if (rc == FileErrors::None && ::rename(temp.constData(), target.constData()) != 0)
        rc = fail();
    if (rc != FileErrors::None) {
        ::close(fd);
        ::unlink(temp.constData());
        return rc;
    }
    m_fd = fd;
    return syncFolder(folder);
}

int DurableFile::append(const QByteArray& bytes)
{
    return m_fd < 0 ? int(FileErrors::FileNotFound) : writeAll(m_fd, bytes);
}

int DurableFile::sync()
{
    if (m_fd < 0)
        return FileErrors::FileNotFound;
    return ::fdatasync(m_fd) == 0 ? int(FileErrors::None) : fail();
}

void DurableFile::close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}
