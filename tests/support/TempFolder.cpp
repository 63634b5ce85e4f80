// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TempFolder.h"

#include "platform/FileNameCodec.h"

#include <dirent.h>
#include <fcntl.h>
#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

TempFolder::TempFolder() : m_dir(QDir::tempPath() + QStringLiteral("/quillon-test-XXXXXX")) {}

namespace
{
int removeEntry(const char* path, const struct stat*, int, struct FTW*)
{
    ::chmod(path, 0700); // a read-only entry must not keep the folder alive
    return ::remove(path);
}
} // namespace

TempFolder::~TempFolder()
{
    if (m_dir.isValid())
        ::nftw(FileNameCodec::encode(m_dir.path()).constData(), removeEntry, 16,
               FTW_DEPTH | FTW_PHYS);
}

QString TempFolder::path() const
{
    return m_dir.path() + QLatin1Char('/');
}

bool TempFolder::write(const QString& name, const QByteArray& bytes) const
{
    const int fd = ::open(FileNameCodec::encode(file(name)).constData(),
                          O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    const bool ok = ::write(fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
    ::close(fd);
    return ok;
}

QByteArray TempFolder::read(const QString& name) const
{
    const int fd = ::open(FileNameCodec::encode(file(name)).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return {};
    QByteArray out;
    char buf[65536];
    ssize_t n;
    while ((n = ::read(fd, buf, sizeof buf)) > 0)
        out.append(buf, n);
    ::close(fd);
    return out;
}

bool TempFolder::exists(const QString& name) const
{
    struct stat st;
    return ::lstat(FileNameCodec::encode(file(name)).constData(), &st) == 0;
}

QStringList TempFolder::names() const
{
    QStringList out;
    DIR* dir = ::opendir(FileNameCodec::encode(path()).constData());
    if (!dir)
        return out;
    while (struct dirent* d = ::readdir(dir)) {
        if (strcmp(d->d_name, ".") && strcmp(d->d_name, ".."))
            out << FileNameCodec::decode(d->d_name, qsizetype(strlen(d->d_name)));
    }
    ::closedir(dir);
    out.sort();
    return out;
}
