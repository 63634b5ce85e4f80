// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "RenameCommand.h"

#include "CliApp.h"
#include "CliOptions.h"
#include "CliOutput.h"

#include "app/DryRunFileSystem.h"
#include "app/FileDates.h"
#include "app/JournalFolder.h"
#include "app/RenameCyclePlanner.h"
#include "app/RenameJournal.h"
#include "app/RenamePass.h"
#include "app/Session.h"
#include "platform/DateText.h"
#include "platform/DurableFile.h"
#include "platform/FieldText.h"
#include "platform/FileName.h"
#include "platform/FileNameCodec.h"
#include "platform/FileSystem.h"

#include <optional>

namespace
{

QString option(CliApp& app, const char* name)
{
    return app.options().value(QString::fromLatin1(name));
}

bool isSet(CliApp& app, const char* name)
{
    return app.options().isSet(QString::fromLatin1(name));
}

// A date given on the command line becomes a picker's text in the locale's
// date format, so that it counts as a pending date exactly as a picked one.
bool pickDate(CliApp& app, Session& session, const char* name, FileDates::Column column)
{
    if (!isSet(app, name))
        return true;
    const QDateTime date = DateText::parse(option(app, name));
    if (!date.isValid())
        return false;
    const QString text = DateText::format(date);
    if (column == FileDates::Creation)
        FileDates::creationPickerChanged(session, text, date);
    else
        FileDates::modifiedPickerChanged(session, text, date);
    return true;
}

// Why a new name cannot be given to a file, in the words of the dry run:
// not a name inside the folder, longer than a Linux file system takes, or
// one the folder's disk refuses (NameRules); empty when the name itself is
// fine (its target is taken).
QString refusal(const Session& session, const QString& target)
{
    if (!FileName::isPlainName(target))
        return QStringLiteral("not a file name");
    if (FileNameCodec::encode(target).size() > DryRunFileSystem::MaxNameBytes)
        return QStringLiteral("longer than 255 bytes");
    return session.nameRules().refusal(target);
}

// The pass run over the disk kept in memory (RenamePass::dryRun): first the
// files it would leave as they are because their target is taken or cannot
// be a file name, then "old -> new" for every file.
void printDryRun(Session& session, int attributes)
{
    const FileListModel& model = session.model();
    RenamePass pass(session);
    const QList<bool> renamed = pass.dryRun(attributes);
    QStringList lines;
    for (int i = 0; i <= session.lastPosition(); ++i) {
        const QString source = model.currentNameAt(i);
        const QString target = model.newNameAt(i);
        lines << FieldText::escaped(source) + QStringLiteral(" -> ") + FieldText::escaped(target);
        // Names the disk takes for one (another letter case, another
        // Unicode form) pass in the dry run's memory but collide on the disk.
        if (renamed.value(i) && model.collides(model.recordAt(i)))
            CliOutput::out(QStringLiteral("collides: ") + lines.last());
        if (source == target || renamed.value(i))
            continue;
        const QString why = refusal(session, target);
        CliOutput::out((why.isEmpty() ? QStringLiteral("taken") : why) + QStringLiteral(": ") +
                       lines.last());
    }
    for (const QString& line : lines)
        CliOutput::out(line);
}

// The plan on paper: the files that cannot get their names, the cycles gone
// round through a temporary name, then "old -> new" for every file.
void printCycles(Session& session, const RenameCyclePlanner::Plan& plan)
{
    const FileListModel& model = session.model();
    auto line = [&](int i) {
        return FieldText::escaped(model.currentNameAt(i)) + QStringLiteral(" -> ") +
               FieldText::escaped(model.newNameAt(i));
    };
    for (int i : plan.blocked)
        CliOutput::out(QStringLiteral("taken: ") + line(i));
    for (const QStringList& cycle : plan.cycles) {
        QStringList names;
        for (const QString& name : cycle)
            names << FieldText::escaped(name);
        CliOutput::out(QStringLiteral("cycle: ") + names.join(QStringLiteral(" -> ")));
    }
    for (int i = 0; i <= session.lastPosition(); ++i)
        CliOutput::out(line(i));
}

// The undo file may replace a journal that was undone or an undo record of
// an older version, never another file,
// never through a symbolic link, and it must not be one of the files the
// pass renames. Problems with the command line are usage errors (status 2);
// a journal that is not undone yet is refused with status 1.
struct UndoFileProblem {
    QString why;
    int status = 0;
};

UndoFileProblem undoFileProblem(Session& session, const QString& path)
{
    if (DurableFile::isSymLink(path))
        return {QStringLiteral("%1 is a symbolic link").arg(path), 2};
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (path.left(slash + 1) == session.folderPath()) {
        const QString name = path.mid(slash + 1);
        for (int i = 0; i <= session.lastPosition(); ++i) {
            if (session.model().currentNameAt(i) == name)
                return {QStringLiteral("%1 is one of the files to rename").arg(path), 2};
        }
    }
    QByteArray bytes;
    const int rc = session.fs().readChunks(path, 1 << 20, [&bytes](const QByteArray& chunk) {
        bytes += chunk;
        return true;
    });
    if (rc != 0 || bytes.isEmpty())
        return {};
    // An undo record of an older version is no longer read: it may go.
    if (bytes.startsWith("Quillon undo record"))
        return {};
    if (!bytes.startsWith(RenameJournal::header()))
        return {QStringLiteral("%1 exists and is not an undo record").arg(path), 2};
    // Replaced, an earlier pass's record could never be undone again.
    RenameJournal::Contents journal;
    QString why;
    if (!RenameJournal::read(bytes, journal, why) || !journal.undone)
        return {QStringLiteral("%1 holds a pass that was not undone: undo it first (quillon-cli "
                               "undo --undo-file %1) or give --undo-file a new file")
                    .arg(path),
                1};
    return {};
}

} // namespace

int RenameCommand::run(CliApp& app, Session& session)
{
    const std::optional<int> attributes =
        isSet(app, "attributes") ? CliOptions::renameAttributes(option(app, "attributes")) : -1;
    if (isSet(app, "on-failure"))
        app.prompter().setFailureAnswer(CliOptions::failureAnswer(option(app, "on-failure")));
    // Without --undo-file the journal goes where the window keeps its own.
    QString undoFile;
    if (isSet(app, "undo-file")) {
        undoFile = app.absolutePath(option(app, "undo-file"));
        const UndoFileProblem problem = undoFileProblem(session, undoFile);
        if (problem.status == 2)
            return app.usageError(problem.why);
        if (problem.status) {
            app.prompter().message(QStringLiteral("quillon-cli: ") + problem.why);
            return 1;
        }
    }
    pickDate(app, session, "created", FileDates::Creation);
    pickDate(app, session, "modified", FileDates::Modified);

    const bool cycles = isSet(app, "cycles");
    const RenameCyclePlanner::Plan plan =
        cycles ? RenameCyclePlanner::planFor(session) : RenameCyclePlanner::Plan();
    if (isSet(app, "dry-run")) {
        if (cycles)
            printCycles(session, plan);
        else
            printDryRun(session, *attributes);
        return app.status();
    }
    RenamePass pass(session);
    pass.setReportLimit(-1); // every file left is named
    const bool kept = undoFile.isEmpty();
    if (kept)
        undoFile = JournalFolder::newJournal();
    RenameJournal journal;
    if (undoFile.isEmpty() || (cycles ? journal.begin(undoFile, session.folderPath(), plan.steps)
                                      : pass.beginJournal(journal, undoFile)) != 0) {
        CliOutput::err(QStringLiteral("quillon-cli: cannot write the undo record to ") +
                       (undoFile.isEmpty() ? JournalFolder::path() : undoFile) +
                       (undoFile.isEmpty() && JournalFolder::isLink()
                            ? QStringLiteral(": it is a symbolic link")
                            : QString()));
        return 1;
    }
    // A journal of its own is listed with the kept ones, so undo --last
    // finds this pass wherever its journal is.
    if (!kept && !JournalFolder::remember(undoFile))
        CliOutput::err(QStringLiteral("quillon-cli: %1 could not be listed in %2; undo this pass "
                                      "with --undo-file")
                           .arg(undoFile, JournalFolder::path()));
    pass.setJournal(&journal);
    QString shown;
    QObject::connect(&pass, &RenamePass::status, [&shown](const QString& text) {
        if (text != shown) {
            shown = text;
            CliOutput::progress(text);
        }
    });
    if (cycles)
        pass.renameFiles(*attributes, plan.steps);
    else
        pass.renameFiles(*attributes);
    JournalFolder::prune();
    return app.status();
}
