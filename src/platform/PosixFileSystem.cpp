// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PosixFileSystem.h"

#include "DosAttribFile.h"
#include "FileEntryReader.h"
#include "FileErrors.h"
#include "FileNameCodec.h"
#include "PosixFileDevice.h"
#include "SplitWork.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <vector>

using FileErrors::Operation;

namespace
{

int fail(Operation op = Operation::Other)
{
    return FileErrors::fromErrno(errno, op);
}

// A file descriptor that closes itself.
class Fd
{
public:
    explicit Fd(int fd) : m_fd(fd) {}
    ~Fd()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return m_fd; }
    bool ok() const { return m_fd >= 0; }

private:
    int m_fd;
};

// One record of getdents64, which has no declaration of its own in glibc.
struct LinuxDirent64 {
    quint64 d_ino;
    qint64 d_off;
    unsigned short d_reclen;
    unsigned char d_type;
    char d_name[1];
};

} // namespace

int PosixFileSystem::enumerate(const QString& folder, bool wantAttributes,
                               const std::function<bool(const Entry&)>& visit)
{
    QByteArray dirPath = FileNameCodec::encode(folder);
    const Fd dir(
        ::open(dirPath.isEmpty() ? "." : dirPath.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!dir.ok())
        return fail();
    if (!dirPath.endsWith('/'))
        dirPath += '/';
    // The entries come a buffer at a time; the statx and attribute reads of
    // one buffer are split over the cores (each thread filling its own
    // entries), then the entries are visited in the order read, as one thread
    // would. A buffer holds a few thousand entries of usual names.
    std::vector<char> buffer(256 * 1024);
    std::vector<const char*> names;
    std::vector<Entry> entries;
    for (;;) {
        const long n = ::syscall(SYS_getdents64, dir.get(), buffer.data(), buffer.size());
        // An error ends the listing as its end does, as readdir() ends it: a
        // folder removed while it is the current one lists as empty.
        if (n <= 0)
            break;
        names.clear();
        for (long off = 0; off < n;) {
            const auto* d = reinterpret_cast<const LinuxDirent64*>(buffer.data() + off);
            off += d->d_reclen;
            names.push_back(d->d_name);
        }
        entries.resize(names.size());
        SplitWork::run(names.size(), 256, [&](std::size_t, std::size_t from, std::size_t to) {
            QByteArray full = dirPath;
            for (std::size_t i = from; i < to; ++i) {
                const qsizetype len = qsizetype(strlen(names[i]));
                Entry& e = entries[i];
                e = Entry();
                e.name = FileNameCodec::decode(names[i], len);
                full.truncate(dirPath.size());
                full.append(names[i], len);
                FileEntryReader::fill(dir.get(), names[i], full, wantAttributes, e);
            }
        });
        for (const Entry& e : entries)
            if (!visit(e))
                return FileErrors::None;
    }
    return FileErrors::None;
}

// The type getdents64 gives where it knows it; a link (which stat() follows)
// and an unknown type are looked up one by one.
int PosixFileSystem::folderNames(const QString& folder, QSet<QString>& names)
{
    names.clear();
    const QByteArray dirPath = FileNameCodec::encode(folder);
    const Fd dir(
        ::open(dirPath.isEmpty() ? "." : dirPath.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!dir.ok())
        return fail();
    std::vector<char> buffer(256 * 1024);
    for (;;) {
        const long n = ::syscall(SYS_getdents64, dir.get(), buffer.data(), buffer.size());
        if (n < 0)
            return fail();
        if (n == 0)
            return FileErrors::None;
        for (long off = 0; off < n;) {
            const auto* d = reinterpret_cast<const LinuxDirent64*>(buffer.data() + off);
            off += d->d_reclen;
            struct stat st;
            const bool folder =
                d->d_type == DT_DIR ||
                ((d->d_type == DT_LNK || d->d_type == DT_UNKNOWN) &&
                 ::fstatat(dir.get(), d->d_name, &st, 0) == 0 && S_ISDIR(st.st_mode));
            if (folder)
                names.insert(FileNameCodec::decode(d->d_name, qsizetype(strlen(d->d_name))));
        }
    }
}

int PosixFileSystem::stat(const QString& path, Entry& entry)
{
    const QByteArray p = FileNameCodec::encode(path);
    entry = Entry();
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    entry.name = slash < 0 ? path : path.mid(slash + 1);
    if (!FileEntryReader::fill(AT_FDCWD, p.constData(), p, true, entry))
        return fail();
    return FileErrors::None;
}

int PosixFileSystem::fileSize(const QString& path, qint64& size)
{
    struct statx sx;
    size = 0;
    if (::statx(AT_FDCWD, FileNameCodec::encode(path).constData(), 0, STATX_SIZE, &sx) != 0)
        return fail();
    size = qint64(sx.stx_size);
    return FileErrors::None;
}

bool PosixFileSystem::isVisibleFile(const QString& path)
{
    Entry e;
    if (stat(path, e) != FileErrors::None || e.isFolder)
        return false;
    return (e.attributes & (Hidden | System)) == 0;
}

int PosixFileSystem::attributes(const QString& path, int& attributes)
{
    Entry e;
    const int rc = stat(path, e);
    attributes = rc == FileErrors::None ? e.attributes : 0;
    return rc;
}

int PosixFileSystem::setAttributes(const QString& path, int value)
{
    const QByteArray p = FileNameCodec::encode(path);
    struct stat st;
    DosAttrib dos;
    if (const int rc = DosAttribFile::readForUpdate(p, st, dos))
        return rc;
    dos.attributesValid = true;
    dos.attributes = quint32(value & (ReadOnly | Hidden | System | Archive));

    // A link has no permissions of its own: chmod would change its target.
    const bool readOnly = (value & ReadOnly) && !S_ISLNK(st.st_mode);
    // Write the xattr while the file is still writable, then change the mode.
    auto storeXattr = [&]() -> int {
        const int rc = DosAttribFile::writeKeepingMode(p, st, dos);
        if (rc == FileErrors::PathAccess && errno == ENOTSUP && !(value & (Hidden | System)))
            return FileErrors::None; // nothing to keep where xattrs are missing
        return rc;
    };
    if (!readOnly) {
        if (S_ISREG(st.st_mode) && !(st.st_mode & S_IWUSR) &&
            ::chmod(p.constData(), (st.st_mode & 07777) | S_IWUSR) != 0)
            return fail();
        return storeXattr();
    }
    if (const int rc = storeXattr())
        return rc;
    if (::chmod(p.constData(), (st.st_mode & 07777) & ~0222) != 0)
        return fail();
    return FileErrors::None;
}

int PosixFileSystem::creationTime(const QString& path, Time& time)
{
    Entry e;
    const int rc = stat(path, e);
    time = e.created;
    return rc;
}

int PosixFileSystem::setCreationTime(const QString& path, const Time& time)
{
    const QByteArray p = FileNameCodec::encode(path);
    struct stat st;
    DosAttrib dos;
    if (const int rc = DosAttribFile::readForUpdate(p, st, dos))
        return rc;
    dos.createTimeValid = true;
    dos.createTime = DosAttrib::ntTimeFromUnix(time.seconds, time.nanoseconds);
    return DosAttribFile::writeKeepingMode(p, st, dos);
}

int PosixFileSystem::setModifiedTime(const QString& path, const Time& time)
{
    const QByteArray p = FileNameCodec::encode(path);
    struct timespec times[2];
    times[0].tv_sec = 0;
    times[0].tv_nsec = UTIME_OMIT;
    times[1].tv_sec = time_t(time.seconds);
    times[1].tv_nsec = time.nanoseconds;
    if (::utimensat(AT_FDCWD, p.constData(), times, AT_SYMLINK_NOFOLLOW) != 0)
        return fail(Operation::OpenOrWrite);
    return FileErrors::None;
}

int PosixFileSystem::fileState(const QString& path, FileState& state)
{
    const QByteArray p = FileNameCodec::encode(path);
    struct stat st;
    state = FileState();
    if (::lstat(p.constData(), &st) != 0)
        return fail();
    state.modified = {qint64(st.st_mtim.tv_sec), qint32(st.st_mtim.tv_nsec)};
    state.mode = int(st.st_mode & 07777);
    char buf[256];
    const ssize_t n = ::lgetxattr(p.constData(), DosAttrib::Name, buf, sizeof buf);
    if (n >= 0) {
        state.hasDosAttrib = true;
        state.dosAttrib = QByteArray(buf, int(n));
    } else if (errno != ENODATA && errno != ENOTSUP) {
        return fail(); // a value that cannot be read could not be put back
    }
    return FileErrors::None;
}

int PosixFileSystem::restoreFileState(const QString& path, const FileState& state)
{
    const QByteArray p = FileNameCodec::encode(path);
    struct stat st;
    if (::lstat(p.constData(), &st) != 0)
        return fail();
    const bool link = S_ISLNK(st.st_mode);
    // The value is written while the file is writable, the mode after it.
    if (!link && !(st.st_mode & S_IWUSR) &&
        ::chmod(p.constData(), (st.st_mode & 07777) | S_IWUSR) != 0)
        return fail();
    int rc = FileErrors::None;
    if (state.hasDosAttrib) {
        if (::lsetxattr(p.constData(), DosAttrib::Name, state.dosAttrib.constData(),
                        size_t(state.dosAttrib.size()), 0) != 0)
            rc = fail();
    } else if (::lremovexattr(p.constData(), DosAttrib::Name) != 0 && errno != ENODATA &&
               errno != ENOTSUP && !(link && errno == EPERM)) {
        rc = fail();
    }
    if (!link && ::chmod(p.constData(), mode_t(state.mode)) != 0 && rc == FileErrors::None)
        rc = fail();
    if (rc == FileErrors::None)
        rc = setModifiedTime(path, state.modified);
    return rc;
}

namespace
{

// renameat2 with RENAME_NOREPLACE. A file system that does not know the flag
// (EINVAL: exfat-fuse, ntfs-3g) gets the target claimed first with an empty
// file made with O_EXCL, which the rename then replaces: no other program
// can take the name in between, and no look is trusted (FUSE answers for a
// name for a second after it is gone). A kill between the two leaves that
// empty file under the new name; a folder cannot be renamed this way.
int renameNoReplace(const QByteArray& from, const QByteArray& to)
{
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL)
        return errno;
    // A claim of a name that differs only in letter case would be the file
    // itself on a disk that folds case: such a rename goes through a
    // temporary name (PosixFileSystem::rename).
    const QString f = QString::fromUtf8(from), t = QString::fromUtf8(to);
    if (f.compare(t, Qt::CaseInsensitive) == 0)
        return EEXIST;
    const int claim =
        ::open(to.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (claim < 0)
        return errno;
    ::close(claim);
    if (::rename(from.constData(), to.constData()) == 0)
        return 0;
    const int rc = errno;
    ::unlink(to.constData());
    return rc;
}

} // namespace

int PosixFileSystem::rename(const QString& from, const QString& to)
{
    const QByteArray f = FileNameCodec::encode(from);
    const QByteArray t = FileNameCodec::encode(to);
    const int rc = renameNoReplace(f, t);
    if (rc == 0)
        return FileErrors::None;
    if (rc != EEXIST || from == to || from.compare(to, Qt::CaseInsensitive) != 0) {
        errno = rc;
        return fail(Operation::Rename);
    }
    // The new spelling "exists": on a disk that folds case it is the file
    // itself. Inode numbers cannot tell (exfat-fuse gives each spelling its
    // own), so the file moves to a temporary name first: a target still
    // taken then is another file, and the file goes back.
    QByteArray temp = f + ".quillon-case";
    for (int i = 0, away; (away = renameNoReplace(f, temp)) != 0; ++i) {
        if (away != EEXIST || i > 100) {
            errno = away;
            return fail(Operation::Rename);
        }
        temp = f + ".quillon-case" + QByteArray::number(i);
    }
    const int moved = renameNoReplace(temp, t);
    if (moved == 0)
        return FileErrors::None;
    renameNoReplace(temp, f);
    errno = moved;
    return moved == EEXIST ? int(FileErrors::FileExists) : fail(Operation::Rename);
}

int PosixFileSystem::copyFile(const QString& from, const QString& to)
{
    Fd in(::open(FileNameCodec::encode(from).constData(), O_RDONLY | O_CLOEXEC));
    if (!in.ok())
        return fail(Operation::OpenOrWrite);
    struct stat st;
    if (::fstat(in.get(), &st) != 0)
        return fail();
    if (S_ISDIR(st.st_mode))
        return FileErrors::PathAccess;
    // A new file only: an existing name (the source itself, another file, a
    // symbolic link even to nowhere) fails with 58 and is left as it is.
    const QByteArray target = FileNameCodec::encode(to);
    Fd out(::open(target.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
    if (!out.ok())
        return fail(Operation::OpenOrWrite);
    // A copy cut short (a full disk) is not left behind as if it were whole.
    const auto abandon = [&target](int error) {
        ::unlink(target.constData());
        return error;
    };
    char buf[1 << 16];
    for (;;) {
        const ssize_t n = ::read(in.get(), buf, sizeof buf);
        if (n < 0)
            return abandon(fail());
        if (n == 0)
            break;
        for (ssize_t done = 0; done < n;) {
            const ssize_t w = ::write(out.get(), buf + done, size_t(n - done));
            if (w < 0)
                return abandon(fail(Operation::OpenOrWrite));
            done += w;
        }
    }
    return FileErrors::None;
}

int PosixFileSystem::removeFile(const QString& path)
{
    if (::unlink(FileNameCodec::encode(path).constData()) != 0)
        return fail(Operation::OpenOrWrite);
    return FileErrors::None;
}

int PosixFileSystem::deleteFiles(const QString& pattern)
{
    const QByteArray p = FileNameCodec::encode(pattern);
    const qsizetype slash = p.lastIndexOf('/');
    const QByteArray namePattern = p.mid(slash + 1);
    if (!namePattern.contains('*') && !namePattern.contains('?')) {
        struct stat st;
        if (::lstat(p.constData(), &st) == 0 && S_ISDIR(st.st_mode))
            return FileErrors::FileNotFound;
        return removeFile(pattern);
    }
    const QByteArray dirPath = slash < 0 ? QByteArray(".") : p.left(qMax<qsizetype>(slash, 1));
    DIR* dir = ::opendir(dirPath.constData());
    if (!dir)
        return fail();
    int deleted = 0;
    int rc = FileErrors::None;
    while (struct dirent* d = ::readdir(dir)) {
        if (::fnmatch(namePattern.constData(), d->d_name, 0) != 0)
            continue;
        struct stat st;
        if (::fstatat(::dirfd(dir), d->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 ||
            S_ISDIR(st.st_mode))
            continue;
        if (::unlinkat(::dirfd(dir), d->d_name, 0) != 0) {
            rc = fail(Operation::OpenOrWrite);
            break;
        }
        ++deleted;
    }
    ::closedir(dir);
    if (rc == FileErrors::None && deleted == 0)
        return FileErrors::FileNotFound;
    return rc;
}

int PosixFileSystem::writeAtStart(const QString& path, const QByteArray& bytes)
{
    Fd fd(::open(FileNameCodec::encode(path).constData(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC));
    if (!fd.ok())
        return errno == ELOOP ? FileErrors::PathAccess : fail(Operation::OpenOrWrite);
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t w =
            ::pwrite(fd.get(), bytes.constData() + done, size_t(bytes.size() - done), off_t(done));
        if (w < 0)
            return fail(Operation::OpenOrWrite);
        done += w;
    }
    return FileErrors::None;
}

int PosixFileSystem::writeZerosAtStart(const QString& path, qint64 count)
{
    Fd fd(::open(FileNameCodec::encode(path).constData(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC));
    if (!fd.ok())
        return errno == ELOOP ? FileErrors::PathAccess : fail(Operation::OpenOrWrite);
    static const QByteArray zeros(1 << 20, '\0');
    for (qint64 done = 0; done < count;) {
        const size_t n = size_t(qMin<qint64>(count - done, zeros.size()));
        const ssize_t w = ::pwrite(fd.get(), zeros.constData(), n, off_t(done));
        if (w < 0) {
            if (errno == EINTR)
                continue;
            return fail(Operation::OpenOrWrite);
        }
        done += w;
    }
    return FileErrors::None;
}

int PosixFileSystem::createFile(const QString& path, const QByteArray& bytes)
{
    Fd fd(::open(FileNameCodec::encode(path).constData(),
                 O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0666));
    if (!fd.ok())
        return fail(Operation::OpenOrWrite);
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t w = ::write(fd.get(), bytes.constData() + done, size_t(bytes.size() - done));
        if (w < 0)
            return fail(Operation::OpenOrWrite);
        done += w;
    }
    return FileErrors::None;
}

int PosixFileSystem::readChunks(const QString& path, qsizetype chunkSize,
                                const std::function<bool(const QByteArray&)>& visit)
{
    // O_NONBLOCK: opening a pipe must not wait for a writer.
    Fd fd(::open(FileNameCodec::encode(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!fd.ok())
        return fail(Operation::OpenOrWrite);
    struct stat st;
    if (::fstat(fd.get(), &st) != 0)
        return fail();
    if (!S_ISREG(st.st_mode))
        return FileErrors::PathAccess;
    QByteArray buf(chunkSize, Qt::Uninitialized);
    for (;;) {
        const ssize_t n = ::read(fd.get(), buf.data(), size_t(chunkSize));
        if (n < 0)
            return fail();
        if (n == 0)
            return FileErrors::None;
        if (!visit(n == chunkSize ? buf : buf.left(n)))
            return FileErrors::None;
    }
}

std::unique_ptr<FileDevice> PosixFileSystem::openForWriting(const QString& path, int& error)
{
    const int fd = ::open(FileNameCodec::encode(path).constData(),
                          O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        error = fail(Operation::OpenOrWrite);
        return nullptr;
    }
    error = FileErrors::None;
    auto device = std::make_unique<PosixFileDevice>(this, fd);
    m_open.insert(device.get());
    return device;
}

void PosixFileSystem::forget(FileDevice* device)
{
    m_open.remove(device);
}

void PosixFileSystem::closeAll()
{
    const auto open = m_open;
    for (FileDevice* device : open)
        device->close();
}

QString PosixFileSystem::currentFolder()
{
    char buf[PATH_MAX];
    if (!::getcwd(buf, sizeof buf))
        return QStringLiteral("/");
    return FileNameCodec::decode(buf, qsizetype(strlen(buf)));
}

int PosixFileSystem::setCurrentFolder(const QString& folder)
{
    if (::chdir(FileNameCodec::encode(folder).constData()) != 0)
        return fail();
    return FileErrors::None;
}

// What chdir would check: a folder, and search permission on it.
int PosixFileSystem::enterableFolder(const QString& folder, QString& path)
{
    char resolved[PATH_MAX];
    if (!::realpath(FileNameCodec::encode(folder).constData(), resolved))
        return fail();
    struct stat st;
    if (::stat(resolved, &st) != 0)
        return fail();
    if (!S_ISDIR(st.st_mode)) {
        errno = ENOTDIR;
        return fail();
    }
    if (::access(resolved, X_OK) != 0)
        return fail();
    path = FileNameCodec::decode(resolved, qsizetype(strlen(resolved)));
    return FileErrors::None;
}
