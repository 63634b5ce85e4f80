// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileSearch.h"

#include "Session.h"
#include "platform/BusyPointer.h"
#include "platform/FileErrors.h"
#include "platform/FileSystem.h"
#include "platform/Prompter.h"

#include <cstring>
#include <optional>
#include <tuple>

namespace
{

const QLatin1String Title("Search");

bool holds(const char* data, size_t size, const QByteArray& needle)
{
    return ::memmem(data, size, needle.constData(), size_t(needle.size())) != nullptr;
}

} // namespace

FileSearch::FileSearch(Session& session, QObject* parent) : QObject(parent), m_session(session) {}

QString FileSearch::namePrompt()
{
    return QStringLiteral("Search current filename list for :");
}

QString FileSearch::contentPrompt()
{
    return QStringLiteral(
        "Search inside all files in the current file list for :\n\nThis will open each and "
        "every file in the current directory and search for the selected character string. "
        "Files with the search string will be displayed when search is finished. (Upper and "
        "lower case charaters are different)");
}

FileSearch::Outcome FileSearch::searchNames(const QString& caption)
{
    Prompter& prompter = m_session.prompter();
    FileListModel::Rows rows;
    // No answer at all matches every name, as an empty one does.
    collectByName(prompter.input(namePrompt(), Title, QString()).value_or(QString()), rows);
    const Outcome outcome = finish(std::move(rows));
    emit captionChanged(caption);
    return outcome;
}

FileSearch::Outcome FileSearch::searchContents(const QString& caption)
{
    Prompter& prompter = m_session.prompter();
    FileListModel::Rows rows;
    const QString text = prompter.input(contentPrompt(), Title, QString()).value_or(QString());
    if (text.isEmpty())
        return Outcome::Cancelled;
    // The pointer stays busy until the narrowed list is shown.
    BusyPointer busy(prompter);
    collectByContent(text, rows);
    const Outcome outcome = finish(std::move(rows));
    emit captionChanged(caption);
    return outcome;
}

void FileSearch::collectByName(const QString& text, FileListModel::Rows& rows)
{
    const FileListModel& model = m_session.model();
    for (int position = 0; position <= m_session.lastPosition(); ++position) {
        const QString name = model.currentNameAt(position);
        if (name.contains(text, m_nameCase))
            addRow(rows, name);
    }
}

void FileSearch::collectByContent(const QString& text, FileListModel::Rows& rows)
{
    const QByteArray needle = text.toUtf8();
    const FileListModel& model = m_session.model();
    for (int position = 0; position <= m_session.lastPosition(); ++position) {
        const QString name = model.currentNameAt(position);
        m_session.prompter().processEvents();
        emit captionChanged(QStringLiteral("Searching File ") + name);
        if (fileContains(m_session.folderPath() + name, needle))
            addRow(rows, name);
    }
}

bool FileSearch::fileContains(const QString& path, const QByteArray& needle, qsizetype chunkSize)
{
    if (needle.isEmpty())
        return true;
    // A match across two chunks starts in the last `keep` bytes of what was
    // read before and ends in the first `keep` bytes of the new chunk.
    const size_t keep = size_t(needle.size() - 1);
    m_carry.clear();
    bool found = false;
    // A file that cannot be read does not match (a match read before the
    // error still counts), and the search goes on.
    std::ignore = m_session.fs().readChunks(path, chunkSize, [&](const QByteArray& chunk) {
        const char* data = chunk.constData();
        const size_t size = size_t(chunk.size());
        if (!m_carry.empty()) {
            m_seam.assign(m_carry.begin(), m_carry.end());
            m_seam.insert(m_seam.end(), data, data + std::min(keep, size));
            found = holds(m_seam.data(), m_seam.size(), needle);
        }
        found = found || holds(data, size, needle);
        if (size >= keep) {
            m_carry.assign(data + size - keep, data + size);
        } else if (m_carry.empty()) {
            m_carry.assign(data, data + size);
        } else {
            // The seam holds all that was carried and the whole short chunk.
            m_carry.assign(m_seam.end() - std::ptrdiff_t(std::min(keep, m_seam.size())),
                           m_seam.end());
        }
        return !found;
    });
    return found;
}

// A row as the folder scan writes it; what cannot be read stays empty (the
// creation date shows the zero date).
void FileSearch::addRow(FileListModel::Rows& rows, const QString& name)
{
    FileSystem::Entry e;
    const bool ok = m_session.fs().stat(m_session.folderPath() + name, e) == FileErrors::None;
    rows.appendFile(name, e.created.seconds, e.modified.seconds, e.size, ok);
}

FileSearch::Outcome FileSearch::finish(FileListModel::Rows&& rows)
{
    if (rows.count() == 0) {
        m_session.prompter().message(QStringLiteral("No files found..."));
        return Outcome::NoneFound;
    }
    const int last = int(rows.count()) - 1;
    m_session.model().setRows(std::move(rows));
    m_session.setLastPosition(last);
    m_session.generateNames();
    return Outcome::Replaced;
}
