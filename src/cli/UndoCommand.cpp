#include "CliApp.h"
#include "CliCommands.h"
#include "CliOutput.h"

#include "app/JournalFolder.h"
#include "app/RenameJournal.h"
#include "app/Session.h"
#include "platform/DurableFile.h"
#include "platform/FieldText.h"
#include "platform/FileSystem.h"

namespace
{

bool readJournal(FileSystem& fs, const QString& path, RenameJournal::Contents& journal,
                 QString& why, QByteArray& bytes)
{
    const int rc = fs.readChunks(path, 1 << 20, [&bytes](const QByteArray& chunk) {
        bytes += chunk;
        return true;
    });
    if (rc != 0) {
        why = QStringLiteral("cannot read the undo record ") + path;
        return false;
    }
    if (!RenameJournal::read(bytes, journal, why)) {
        why = QStringLiteral("%1 is not an undo record: %2").arg(path, why);
        return false;
    }
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
int listJournals(CliApp& app, FileSystem& fs)
{
    for (const QString& path : JournalFolder::journals()) {
        RenameJournal::Contents journal;
        QString why;
        QByteArray bytes;
        if (!readJournal(fs, path, journal, why, bytes)) {
            CliOutput::err(QStringLiteral("quillon-cli: ") + why);
            continue;
        }
        CliOutput::out(QStringList{startText(journal), FieldText::escaped(journal.folder),
                                   countText(journal), FieldText::escaped(path)}
                           .join(QLatin1Char('\t')));
    }
    return app.status();
}

} // namespace

int CliCommands::undo(CliApp& app, Session& session)
{
    const QCommandLineParser& options = app.options();
    FileSystem& fs = session.fs();
    if (options.isSet(QStringLiteral("list")))
        return listJournals(app, fs);
    QString path;
    if (options.isSet(QStringLiteral("last"))) {
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
    RenameJournal::Contents journal;
    QString why;
    QByteArray bytes;
    if (!readJournal(fs, path, journal, why, bytes)) {
        CliOutput::err(QStringLiteral("quillon-cli: ") + why);
        return 1;
    }
    // Undone twice, a swap through a temporary name would swap again.
    if (journal.undone) {
        CliOutput::err(QStringLiteral("quillon-cli: %1 was undone already").arg(path));
        return 1;
    }
    // --last picks the pass itself: say which, before anything moves.
    if (options.isSet(QStringLiteral("last")))
        CliOutput::err(
            QStringLiteral("quillon-cli: undoing the pass of %1 in %2: %3")
                .arg(startText(journal), FieldText::escaped(journal.folder), countText(journal)));
    const RenameJournal::UndoReport report = RenameJournal::undo(fs, journal);
    for (const QString& pair : report.refused)
        app.prompter().message(
            QStringLiteral("quillon-cli: not undone, not a file named inside %1: %2")
                .arg(FieldText::escaped(journal.folder), pair));
    if (report.refused.isEmpty() && bytes.startsWith(RenameJournal::header())) {
        DurableFile marked;
        // A last line cut by a crash is left out, as the reader leaves it.
        bytes.truncate(bytes.lastIndexOf('\n') + 1);
        if (marked.create(path, bytes + "undone\n") != 0)
            app.prompter().message(
                QStringLiteral("quillon-cli: %1 could not be marked as undone").arg(path));
    }
    return app.status();
}
