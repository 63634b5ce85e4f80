// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "DryRunFileSystem.h"

#include "platform/FileErrors.h"
#include "platform/FileNameCodec.h"

int DryRunFileSystem::enumerate(const QString& folder, bool wantAttributes,
                                const std::function<bool(const Entry&)>& visit)
{
    return m_real.enumerate(folder, wantAttributes, visit);
}

bool DryRunFileSystem::exists(const QString& path)
{
    const auto moved = m_moved.constFind(path);
    if (moved != m_moved.constEnd())
        return *moved != Gone;
    Entry entry;
    return m_real.stat(path, entry) == FileErrors::None;
}

bool DryRunFileSystem::existsExactly(const QString& path)
{
    const auto moved = m_moved.constFind(path);
    if (moved != m_moved.constEnd())
        return *moved != Gone;
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    const QString folder = path.left(slash + 1);
    if (folder != m_listedFolder) {
        m_listedFolder = folder;
        m_exactNames.clear();
        // A folder that cannot be listed holds no name exactly: the dry run
        // then says what the pass would do where the names cannot be seen.
        if (m_real.enumerate(folder, false, [this](const Entry& e) {
                m_exactNames.insert(e.name);
                return true;
            }) != FileErrors::None)
            m_exactNames.clear();
    }
    return m_exactNames.contains(path.mid(slash + 1));
}

int DryRunFileSystem::stat(const QString& path, Entry& entry)
{
    const auto moved = m_moved.constFind(path);
    if (moved != m_moved.constEnd() && *moved == Gone)
        return FileErrors::FileNotFound;
    return m_real.stat(path, entry);
}

bool DryRunFileSystem::isVisibleFile(const QString& path)
{
    const auto moved = m_moved.constFind(path);
    return moved != m_moved.constEnd() ? *moved == Findable : m_real.isVisibleFile(path);
}

int DryRunFileSystem::attributes(const QString& path, int& attributes)
{
    return m_real.attributes(path, attributes);
}

int DryRunFileSystem::setAttributes(const QString& path, int)
{
    return exists(path) ? int(FileErrors::None) : int(FileErrors::FileNotFound);
}

int DryRunFileSystem::creationTime(const QString& path, Time& time)
{
    return m_real.creationTime(path, time);
}

int DryRunFileSystem::setCreationTime(const QString& path, const Time&)
{
    return exists(path) ? int(FileErrors::None) : int(FileErrors::FileNotFound);
}

int DryRunFileSystem::setModifiedTime(const QString& path, const Time&)
{
    return exists(path) ? int(FileErrors::None) : int(FileErrors::FileNotFound);
}

// The real rename's rules: never replace, a change of letter case only
// succeeds unless another entry has exactly the new spelling, and no name
// is longer than the 255 bytes every Linux file system takes.
int DryRunFileSystem::rename(const QString& from, const QString& to)
{
    if (!exists(from))
        return FileErrors::FileNotFound;
    if (FileNameCodec::encode(to.mid(to.lastIndexOf(QLatin1Char('/')) + 1)).size() > MaxNameBytes)
        return FileErrors::PathAccess;
    const bool caseOnly = from.compare(to, Qt::CaseInsensitive) == 0;
    if (caseOnly ? existsExactly(to) : exists(to))
        return FileErrors::FileExists;
    const State moving = isVisibleFile(from) ? Findable : Unseen;
    m_moved[from] = Gone;
    m_moved[to] = moving;
    return FileErrors::None;
}

int DryRunFileSystem::readChunks(const QString& path, qsizetype chunkSize,
                                 const std::function<bool(const QByteArray&)>& visit)
{
    return m_real.readChunks(path, chunkSize, visit);
}

std::unique_ptr<FileDevice> DryRunFileSystem::openForWriting(const QString&, int& error)
{
    error = Refused;
    return nullptr;
}
