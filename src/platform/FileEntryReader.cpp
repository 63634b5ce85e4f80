// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileEntryReader.h"

#include "DosAttribFile.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace
{

bool nameLooksHidden(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return path.size() > slash + 1 && path[slash + 1] == '.';
}

FileSystem::Time toTime(const struct statx_timestamp& ts)
{
    return {qint64(ts.tv_sec), qint32(ts.tv_nsec)};
}

int attributesFrom(const struct statx& sx, const DosAttrib* dos, bool hiddenName)
{
    int a = 0;
    if (dos && dos->attributesValid)
        a = int(dos->attributes) &
            (FileSystem::ReadOnly | FileSystem::Hidden | FileSystem::System | FileSystem::Archive);
    if ((sx.stx_mode & 0222) == 0)
        a |= FileSystem::ReadOnly;
    if (hiddenName)
        a |= FileSystem::Hidden;
    if (S_ISDIR(sx.stx_mode))
        a |= FileSystem::Folder;
    return a;
}

} // namespace

bool FileEntryReader::fill(int dirfd, const char* name, const QByteArray& fullPath,
                           bool wantAttributes, FileSystem::Entry& e)
{
    struct statx sx;
    const unsigned mask =
        STATX_TYPE | STATX_MODE | STATX_SIZE | STATX_MTIME | STATX_BTIME | STATX_NLINK;
    if (::statx(dirfd, name, AT_SYMLINK_NOFOLLOW, mask, &sx) != 0)
        return false;
    e.links = int(sx.stx_nlink);
    // A link describes its target; a dangling one describes itself.
    e.isSymLink = S_ISLNK(sx.stx_mode);
    struct statx target;
    if (e.isSymLink && ::statx(dirfd, name, 0, mask, &target) == 0)
        sx = target;
    e.statOk = true;
    e.isFolder = S_ISDIR(sx.stx_mode);
    e.size = qint64(sx.stx_size);
    e.modified = toTime(sx.stx_mtime);
    e.created = (sx.stx_mask & STATX_BTIME) ? toTime(sx.stx_btime) : e.modified;
    DosAttrib dos;
    const bool haveDos = DosAttribFile::read(fullPath.constData(), dos);
    if (haveDos && dos.createTimeValid)
        DosAttrib::unixFromNtTime(dos.createTime, e.created.seconds, e.created.nanoseconds);
    if (wantAttributes)
        e.attributes = attributesFrom(sx, haveDos ? &dos : nullptr, nameLooksHidden(fullPath));
    return true;
}
