// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "UndoCommand.h"

#include "CliApp.h"
#include "CliOutput.h"

#include "app/JournalFolder.h"
#include "app/RenameJournal.h"
#include "app/Session.h"
#include "platform/FieldText.h"
#include "platform/FileSystem.h"

namespace
{

// The journal folder is never used through a link: say so rather than list
// nothing.
bool folderIsLink(CliApp& app)
{
    if (!JournalFolder::isLink())
        return false;
    app.prompter().message(
        QStringLiteral("quillon-cli: %1 is a symbolic link: journals are neither kept nor read "
                       "through it")
            .arg(JournalFolder::path().chopped(1)));
    return true;
}

// When a pass started (local time), and how many files it renamed. A pass
// that never ended may have renamed files whose records had not yet reached
// the disk (the undo finds them there), so its count is a floor.
QString startText(const RenameJournal::Contents& journal)
{
    return journal.started.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QString countText(const RenameJournal::Contents& journal)
{
    return (journal.ended ? QString() : QStringLiteral("at least ")) +
           QString::number(journal.renamedCount()) + QStringLiteral(" renamed") +
           (journal.ended ? QString() : QStringLiteral(", interrupted")) +
           (journal.undone ? QStringLiteral(", undone") : QString());
}

// One line per kept pass, oldest first: its time, folder and count, and the
// path of its journal (a pass made with --undo-file is listed by that file).
// How many are kept goes to standard error, so the list stays a table.
int listJournals(CliApp& app, FileSystem& fs)
{
    if (folderIsLink(app))
        return app.status();
    CliOutput::err(QStringLiteral("quillon-cli: ") + JournalFolder::keptText());
    for (const QString& path : JournalFolder::journals()) {
        RenameJournal::Contents journal;
        const QString problem = RenameJournal::load(fs, path, journal);
        if (!problem.isEmpty()) {
            CliOutput::err(QStringLiteral("quillon-cli: ") + problem);
            continue;
        }
        CliOutput::out(QStringList{startText(journal), FieldText::escaped(journal.folder),
                                   countText(journal), FieldText::escaped(path)}
                           .join(QLatin1Char('\t')));
    }
    return app.status();
}

} // namespace

// The undo itself is RenameJournal's, as Ctrl+Z's in the window: every
// step it could not undo is named, the status is then 1, and the journal
// keeps what was undone so that a later undo does the rest.
int UndoCommand::run(CliApp& app, Session& session)
{
    const QCommandLineParser& options = app.options();
    FileSystem& fs = session.fs();
    if (options.isSet(QStringLiteral("list")))
        return listJournals(app, fs);
    QString path;
    if (options.isSet(QStringLiteral("last"))) {
        if (folderIsLink(app))
            return app.status();
        path = JournalFolder::journals().value(JournalFolder::journals().size() - 1);
        if (path.isEmpty()) {
            CliOutput::err(QStringLiteral("quillon-cli: no journal in ") + JournalFolder::path());
            return 1;
        }
    } else {
        const bool journal = options.isSet(QStringLiteral("journal"));
        path = app.absolutePath(
            options.value(journal ? QStringLiteral("journal") : QStringLiteral("undo-file")));
    }
    // --last picks the pass itself: say which, before anything moves.
    RenameJournal::Contents journal;
    if (options.isSet(QStringLiteral("last")) && RenameJournal::load(fs, path, journal).isEmpty())
        CliOutput::err(
            QStringLiteral("quillon-cli: undoing the pass of %1 in %2: %3")
                .arg(startText(journal), FieldText::escaped(journal.folder), countText(journal)));
    for (const QString& text : RenameJournal::undoFile(fs, path).messages())
        app.prompter().message(QStringLiteral("quillon-cli: ") + text);
    return app.status();
}
