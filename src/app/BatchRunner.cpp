// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "BatchRunner.h"

#include "Session.h"
#include "platform/FileErrors.h"
#include "platform/FileSystem.h"
#include "platform/Prompter.h"

#include <QDir>

namespace
{

const QLatin1String SourcePlaceholder("Sourcefiles$");
const QLatin1String DestPlaceholder("Destnames$");
const QLatin1String FilecopyWord("Filecopy");
const QLatin1String DeleteWord("Delete");
const QLatin1String AttributesWord("SetFileAttributes");

// A command word without the path(s) it needs.
constexpr int MissingWord = FileErrors::InvalidCall;

// The file's name may hold "*", "?" or "[" (Linux allows them): escaped, it
// matches only itself when Delete reads the line as a wildcard pattern.
QString escapeWildcards(const QString& name)
{
    QString out;
    out.reserve(name.size());
    for (const QChar c : name) {
        if (c == QLatin1Char('\\') || c == QLatin1Char('*') || c == QLatin1Char('?') ||
            c == QLatin1Char('['))
            out += QLatin1Char('\\');
        out += c;
    }
    return out;
}

bool hasWildcard(QStringView name)
{
    return name.contains(QLatin1Char('*')) || name.contains(QLatin1Char('?'));
}

// A wildcard the person typed in the name part of a Delete target (those of
// put-in names are escaped).
bool typedWildcard(const QString& pattern)
{
    for (qsizetype i = pattern.lastIndexOf(QLatin1Char('/')) + 1; i < pattern.size(); ++i) {
        if (pattern[i] == QLatin1Char('\\'))
            ++i;
        else if (pattern[i] == QLatin1Char('*') || pattern[i] == QLatin1Char('?'))
            return true;
    }
    return false;
}

QString count(qsizetype n, const char* one, const char* many)
{
    return QString::number(n) + QLatin1Char(' ') + QLatin1String(n == 1 ? one : many);
}

// The targets of one command over the list, for its question: how many, the
// first few, and their folder when they share one.
struct Targets {
    qsizetype count = 0;
    QStringList first;
    QString last;
    QString folder;
    bool oneFolder = true;
    bool patterns = false;

    bool repeats(const QString& path) const { return count > 0 && path == last; }
    void add(const QString& path, const QString& currentFolder)
    {
        const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
        const QString in = slash < 0 ? currentFolder : path.left(slash + 1);
        oneFolder = oneFolder && (count == 0 || in == folder);
        folder = in;
        if (first.size() < 3)
            first << path;
        last = path;
        ++count;
    }
    QString named() const
    {
        QString text = first.join(QStringLiteral(", "));
        if (count > first.size())
            text += QStringLiteral(" and %1 more").arg(count - first.size());
        return text;
    }
};

constexpr int NamedAtMost = 20; // skipped copies named at the end

} // namespace

BatchRunner::BatchRunner(Session& session, ProcessLauncher& launcher, QObject* parent)
    : QObject(parent), commandLine(initialText()), history(initialList()), m_session(session),
      m_launcher(launcher)
{
}

// The temp folder stands where the program was designed with C:\Temp\.
QString BatchRunner::initialText()
{
    return QStringLiteral("Filecopy Sourcefiles$ ") + QDir::tempPath() +
           QStringLiteral("/Destnames$");
}

QStringList BatchRunner::initialList()
{
    return {QStringLiteral("Delete Sourcefiles$"), initialText(),
            QStringLiteral("SetFileAttributes Sourcefiles$"), QStringLiteral("FrontText+BackText")};
}

BatchRunner::Mode BatchRunner::modeFor(const QString& line)
{
    if (line.contains(AttributesWord) || line.contains(DeleteWord) || line.contains(FilecopyWord))
        return Mode::Internal;
    if (line.contains(SourcePlaceholder) || line.contains(DestPlaceholder))
        return Mode::PerFile;
    return Mode::Single;
}

QString BatchRunner::messageFor(int error)
{
    if (error == FileErrors::FileNotFound)
        return QStringLiteral("Executable command not found...");
    return QStringLiteral("Drive, File, Admin, Command Error Encountered...");
}

bool BatchRunner::runForEveryFile(int attributeValue)
{
    if (m_running)
        return false;
    m_running = true;
    emit executeEnabledChanged(false);
    const QString line = commandLine;
    history.append(line);
    emit lineAppended(line);
    const Mode mode = modeFor(line);
    if (mode == Mode::Internal) {
        const QString ask = question(line.split(QLatin1Char(' ')));
        if (!ask.isEmpty() && !m_session.prompter().confirm(ask)) {
            m_running = false;
            emit executeEnabledChanged(true);
            return false;
        }
    }

    m_notCopied.clear();
    int error = FileErrors::None;
    switch (mode) {
    case Mode::Internal:
        error = runInternal(line, attributeValue);
        break;
    case Mode::PerFile:
        error = runPerFile(line);
        break;
    case Mode::Single:
        error = m_launcher.start(ProcessLauncher::split(line), ProcessLauncher::WindowState::Normal,
                                 m_session.folderPath());
        break;
    }
    m_running = false;
    emit executeEnabledChanged(true);
    if (!m_notCopied.isEmpty())
        m_session.prompter().message(notCopiedMessage());
    if (error != FileErrors::None)
        m_session.prompter().message(messageFor(error));
    return true;
}

// What the line will delete, and how many of its copies find their name
// taken; empty when it does neither.
QString BatchRunner::question(const QStringList& words) const
{
    const QString& here = m_session.folderPath();
    Targets deleted, copied;
    qsizetype taken = 0;
    for (int position = 0; position <= m_session.lastPosition(); ++position) {
        const QString command = fill(words[0], position).text;
        if (command == DeleteWord && words.size() >= 2) {
            // A target without placeholders is the same for every file.
            const Filled target = inListedFolder(fill(words[1], position));
            if (deleted.repeats(target.text))
                continue;
            deleted.add(target.text, here);
            deleted.patterns = deleted.patterns || typedWildcard(target.pattern);
        } else if (command == FilecopyWord && words.size() >= 3) {
            const QString target = inListedFolder(fill(words[2], position)).text;
            FileSystem::Entry entry; // a link to nowhere is a name taken too
            if (copied.repeats(target) || m_session.fs().stat(target, entry) == FileErrors::None)
                ++taken;
            copied.add(target, here);
        }
    }
    QStringList parts;
    if (deleted.count > 0 && deleted.oneFolder && !deleted.patterns)
        parts << QStringLiteral("Delete %1 in %2?")
                     .arg(count(deleted.count, "file", "files"), deleted.folder);
    else if (deleted.count > 0)
        parts << QStringLiteral("Delete %1?").arg(deleted.named());
    if (taken > 0) {
        const QString to = copied.oneFolder ? QStringLiteral(" to ") + copied.folder : QString();
        parts << QStringLiteral("Copy %1%2? %3: %4 skipped, never replaced.")
                     .arg(count(copied.count, "file", "files"), to,
                          taken == 1 ? QStringLiteral("1 name there is taken")
                                     : QStringLiteral("%1 names there are taken").arg(taken),
                          taken == 1 ? QStringLiteral("that file is")
                                     : QStringLiteral("those files are"));
    }
    return parts.join(QLatin1Char('\n'));
}

QString BatchRunner::notCopiedMessage() const
{
    QString text =
        QStringLiteral("Not copied, because the name is taken (a copy never replaces a file):");
    for (qsizetype i = 0; i < qMin<qsizetype>(m_notCopied.size(), NamedAtMost); ++i)
        text += QLatin1Char('\n') + m_notCopied[i];
    if (m_notCopied.size() > NamedAtMost)
        text += QStringLiteral("\n... and %1 more").arg(m_notCopied.size() - NamedAtMost);
    return text;
}

void BatchRunner::openTerminal()
{
    const int error = m_launcher.start(
        {QStringLiteral("cmd")}, ProcessLauncher::WindowState::Normal, m_session.folderPath());
    if (error != FileErrors::None)
        m_session.prompter().message(messageFor(error));
}

// Puts the file at this list position in for the placeholders, in one pass
// from left to right: text that was put in is never searched again, so a file
// named "Destnames$" stays itself.
BatchRunner::Filled BatchRunner::fill(QStringView text, int position) const
{
    const FileListModel& model = m_session.model();
    Filled out;
    for (qsizetype from = 0;;) {
        const qsizetype source = text.indexOf(SourcePlaceholder, from);
        const qsizetype dest = text.indexOf(DestPlaceholder, from);
        const bool sourceFirst = source >= 0 && (dest < 0 || source < dest);
        const qsizetype at = sourceFirst ? source : dest;
        const QStringView typed = at < 0 ? text.mid(from) : text.mid(from, at - from);
        out.text += typed;
        out.pattern += typed;
        if (at < 0)
            return out;
        const QString value = sourceFirst ? m_session.folderPath() + model.currentNameAt(position)
                                          : model.newNameAt(position);
        out.text += value;
        out.pattern += escapeWildcards(value);
        from = at + (sourceFirst ? SourcePlaceholder.size() : DestPlaceholder.size());
    }
}

// A bare name in an internal command names a file of the listed folder,
// wherever the process is; an empty word stays empty.
BatchRunner::Filled BatchRunner::inListedFolder(Filled word) const
{
    if (word.text.isEmpty() || word.text.startsWith(QLatin1Char('/')))
        return word;
    const QString& folder = m_session.folderPath();
    word.text.prepend(folder);
    word.pattern.prepend(escapeWildcards(folder));
    return word;
}

void BatchRunner::show(const QString& line)
{
    emit lineShown(line);
    m_session.prompter().processEvents();
}

// The line is cut into words at every single blank before the names are put
// in, so a path holding blanks stays one word: cut at its first blank, it
// would name some other file to copy over or to delete.
int BatchRunner::runInternal(const QString& line, int attributeValue)
{
    const QStringList words = line.split(QLatin1Char(' '));
    QList<Filled> filled(words.size());
    for (int position = 0; position <= m_session.lastPosition(); ++position) {
        show(fill(line, position).text);
        filled[0] = fill(words[0], position);
        for (qsizetype i = 1; i < words.size(); ++i)
            filled[i] = inListedFolder(fill(words[i], position));
        if (const int error = internalCommand(filled, attributeValue))
            return error;
    }
    return FileErrors::None;
}

int BatchRunner::internalCommand(const QList<Filled>& words, int attributeValue)
{
    FileSystem& fs = m_session.fs();
    const QString& command = words[0].text;
    if (command == FilecopyWord) {
        if (words.size() < 3)
            return MissingWord;
        const int error = fs.copyFile(words[1].text, words[2].text);
        if (error != FileErrors::FileExists)
            return error;
        m_notCopied << words[2].text; // skipped, as a rename whose target is taken
        return FileErrors::None;
    }
    if (command == AttributesWord)
        return words.size() < 2 ? MissingWord : fs.setAttributes(words[1].text, attributeValue);
    if (command != DeleteWord)
        return FileErrors::None;
    if (words.size() < 2)
        return MissingWord;
    // Wildcards count only where the person typed them.
    const QString& text = words[1].text;
    const qsizetype slash = text.lastIndexOf(QLatin1Char('/'));
    if (!hasWildcard(QStringView(text).mid(slash + 1)))
        return fs.deleteFiles(text);
    const QString& pattern = words[1].pattern;
    return fs.deleteFiles(text.left(slash + 1) +
                          pattern.mid(pattern.lastIndexOf(QLatin1Char('/')) + 1));
}

// Split as a command line first, names put in after: a name such as
// "x; touch PWNED" is one argument, and no shell ever sees it.
int BatchRunner::runPerFile(const QString& line)
{
    const QStringList words = ProcessLauncher::split(line);
    QStringList arguments;
    for (int position = 0; position <= m_session.lastPosition(); ++position) {
        show(fill(line, position).text);
        arguments.clear();
        for (const QString& word : words)
            arguments << fill(word, position).text;
        if (const int error = m_launcher.start(arguments, ProcessLauncher::WindowState::Minimised,
                                               m_session.folderPath()))
            return error;
    }
    return FileErrors::None;
}
