#include "FileSystem.h"

#include "PosixFileSystem.h"

namespace
{
FileSystem* injected = nullptr;
}

FileSystem& FileSystem::instance()
{
    static PosixFileSystem real;
    return injected ? *injected : real;
}

void FileSystem::setInstance(FileSystem* fs)
{
    injected = fs;
}

int FileSystem::fileSize(const QString& path, qint64& size)
{
    Entry entry;
    const int rc = stat(path, entry);
    size = entry.size;
    return rc;
}

int FileSystem::writeZerosAtStart(const QString& path, qint64 count)
{
    return writeAtStart(path, QByteArray(qsizetype(count), '\0'));
}
