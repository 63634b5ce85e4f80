// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Shredder.h"

#include "Session.h"
#include "platform/BusyPointer.h"
#include "platform/FileErrors.h"
#include "platform/FileSystem.h"
#include "platform/NumberText.h"
#include "platform/Prompter.h"

#include <algorithm>
#include <optional>

namespace
{

const QString ReadOnlyMessage = QStringLiteral("Cannot Shred from Readonly Media");

// Delete, leave a two-byte file under the same name, delete again.
int removeAndRecreate(FileSystem& fs, const QString& path)
{
    if (const int error = fs.removeFile(path))
        return error;
    const qint16 pass = 4; // the pass counter after the three passes
    const char bytes[2] = {char(pass & 0xFF), char(pass >> 8)};
    if (const int error = fs.createFile(path, QByteArray(bytes, 2)))
        return error;
    return fs.removeFile(path);
}

} // namespace

Shredder::Shredder(Session& session, QObject* parent) : QObject(parent), m_session(session)
{
    connect(&session.model(), &FileListModel::reloaded, this, &Shredder::forgetFile);
}

int Shredder::shred(FileSystem& fs, const QString& path, qint64 listedSize)
{
    FileSystem::Entry entry;
    if (const int error = fs.stat(path, entry))
        return error;
    if (entry.isSymLink)
        return removeAndRecreate(fs, path);
    if (entry.isFolder)
        return FileErrors::FileNotFound; // no longer the listed file
    if (entry.links > 1)
        return HardLinked;
    if (const int error = fs.setAttributes(path, FileSystem::Normal))
        return error;
    const qint64 count = std::max(listedSize, entry.size) + 1;
    for (int pass = 1; pass <= 3; ++pass) {
        if (const int error = fs.writeZerosAtStart(path, count))
            return error;
    }
    return removeAndRecreate(fs, path);
}

QString Shredder::hardLinkedMessage(const QString& path)
{
    return path + QStringLiteral(" was not shredded: it has other names (hard links), and "
                                 "overwriting it would destroy their data too.");
}

void Shredder::rowClicked(int position)
{
    const QString name = m_session.model().currentNameAt(position);
    // The one empty row of an empty folder names no file.
    const bool listed = position >= 0 && position <= m_session.lastPosition();
    m_namedFile = name;
    m_namedSize = listed ? listedSize(position) : 0;
    setShredEntry(QStringLiteral("Shred File... ") + name, true);
}

void Shredder::forgetFile()
{
    m_namedFile.reset();
    if (m_shredEntryVisible)
        setShredEntry(m_shredEntryCaption, false);
}

void Shredder::shredCurrentFile()
{
    if (m_running || !m_namedFile)
        return;
    const QString path = m_session.folderPath() + *m_namedFile;
    Prompter& prompter = m_session.prompter();
    if (!m_namedFile->isEmpty() &&
        !prompter.confirm(QStringLiteral("Shred ") + path +
                          QStringLiteral("? It is overwritten and deleted for good.")))
        return;
    m_running = true;
    int error = FileErrors::None;
    {
        BusyPointer busy(prompter);
        error = m_namedFile->isEmpty() ? FileErrors::FileNotFound
                                       : shred(m_session.fs(), path, m_namedSize);
    }
    reportOneFile(error, path);
    finish();
    forgetFile();
}

void Shredder::reportOneFile(int error, const QString& path)
{
    Prompter& prompter = m_session.prompter();
    if (error == HardLinked) {
        prompter.message(hardLinkedMessage(path));
    } else if (error != FileErrors::None) {
        prompter.message(error == FileErrors::PathAccess ? ReadOnlyMessage
                                                         : QStringLiteral("Could not Shred file ") +
                                                               path + QStringLiteral("..."));
    }
}

void Shredder::shredAllFiles()
{
    if (m_running)
        return;
    m_running = true;
    Prompter& prompter = m_session.prompter();
    const FileListModel& model = m_session.model();
    std::optional<BusyPointer> busy(std::in_place, prompter);
    int error = FileErrors::None;
    for (int position = 0; position <= m_session.lastPosition() && !error; ++position) {
        const QString name = model.currentNameAt(position);
        setStatus(QStringLiteral("Shredding :\n\n") + name);
        prompter.processEvents();
        error = shred(m_session.fs(), m_session.folderPath() + name, listedSize(position));
        if (error == HardLinked) {
            prompter.message(hardLinkedMessage(m_session.folderPath() + name));
            error = FileErrors::None;
        }
    }
    busy.reset(); // the closing message shows with the normal pointer
    if (error == FileErrors::None)
        setStatus(QStringLiteral("Shredding Done"));
    else if (error == FileErrors::PathAccess)
        prompter.message(ReadOnlyMessage);
    else
        prompter.message(QStringLiteral("Could not Shred from ") + m_session.folderPath() +
                         QStringLiteral("..."));
    finish();
}

// The size the list shows (read whole, so files of 2 GiB and more count too);
// 0 when the scan could not read it.
qint64 Shredder::listedSize(int position) const
{
    const FileListModel& model = m_session.model();
    qint64 size = 0;
    if (!NumberText::parse(model.sizeText(model.recordAt(position)), size))
        size = 0;
    return size;
}

void Shredder::finish()
{
    m_session.scanFolder();
    m_running = false;
}

void Shredder::setShredEntry(const QString& caption, bool visible)
{
    m_shredEntryCaption = caption;
    m_shredEntryVisible = visible;
    emit shredEntryChanged(caption, visible);
}

void Shredder::setStatus(const QString& text)
{
    m_status = text;
    emit statusChanged(text);
}
