// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "RenamePass.h"

#include "CaseOnlyRename.h"
#include "DryRunFileSystem.h"
#include "FileDates.h"
#include "JournalFolder.h"
#include "NameGenerator.h"
#include "PassReport.h"
#include "RenameCyclePlanner.h"
#include "Session.h"
#include "SkippingPrompter.h"
#include "filelist/FileListModel.h"
#include "output/DiskErrors.h"
#include "platform/BusyPointer.h"
#include "platform/FileErrors.h"
#include "platform/FileName.h"
#include "platform/FileSystem.h"
#include "platform/QuietPrompter.h"

#include <QSet>

namespace
{

const int ProgressEvery = 20;

QString conflictMessage()
{
    return QStringLiteral("Read-Only media or file name conflict Error occured.");
}

// At most this many lines of an undo's problems in one message box.
const int MessageLines = 20;

} // namespace

RenamePass::RenamePass(Session& session, QObject* parent) : QObject(parent), m_session(session)
{
    // The pass lets events run every 20 files; if the list is replaced then
    // (another folder chosen, a search), the rest of the old list is gone
    // and the pass ends there.
    connect(&session.model(), &FileListModel::reloaded, this, [this] {
        if (m_running)
            m_listReplaced = true;
    });
}

FileSystem& RenamePass::fs()
{
    return m_fs ? *m_fs : m_session.fs();
}

Prompter& RenamePass::prompter()
{
    return m_prompter ? *m_prompter : m_session.prompter();
}

QString RenamePass::progressText(int position, int fileLast)
{
    const qint64 percent = fileLast > 0 ? qint64(position) * 100 / fileLast : 100;
    return QString::number(percent) + QStringLiteral("% Renamed");
}

void RenamePass::setRunning(bool running)
{
    m_running = running;
    emit runningChanged(running);
}

// The failure box names the file and the reason above the pass's own text.
RenamePass::Next RenamePass::failed(int code, const QString& source, const QString& reason,
                                    const QString& targetPath)
{
    emit status(failedText());
    Prompter& ask = prompter();
    const QString named = source + QStringLiteral(": ") + reason + QStringLiteral("\n\n");
    Prompter::FailureAnswer answer;
    switch (code) {
    case FileErrors::FileNotFound:
        return Next::NextStep;
    case FileErrors::InvalidCall:
        answer = ask.failure(named + QStringLiteral("Cannot Rename Read-only Media"));
        break;
    case FileErrors::FileExists:
        ask.message(QStringLiteral("Cannot rename to '") + targetPath +
                    QStringLiteral("' because that filename aready exists..."));
        answer = ask.failure(named + conflictMessage());
        break;
    default:
        answer = ask.failure(named + conflictMessage());
        break;
    }

    switch (answer) {
    case Prompter::FailureAnswer::Retry:
        if (ask.retryLimit() <= 0 || ++m_retries <= ask.retryLimit())
            return Next::Retry;
        ask.message(QStringLiteral("Still failing after %1 retries: the pass stops here.")
                        .arg(ask.retryLimit()));
        break;
    case Prompter::FailureAnswer::Skip:
        return Next::NextFile;
    case Prompter::FailureAnswer::Stop:
        break;
    }
    return Next::Stop;
}

RenamePass::Next RenamePass::treatFile(const QString& source, const QString& sourcePath,
                                       const QString& target, const QString& targetPath,
                                       int attributeValue, bool keepState)
{
    FileSystem& disk = fs();
    m_renamed = false;
    m_retries = 0;
    const QString created = FileDates::pendingCreationDate(m_session);
    const QString modified = FileDates::pendingModifiedDate(m_session);
    if (!keepState && (!created.isEmpty() || !modified.isEmpty()))
        m_dateFailures.note(source, FileDates::writeFileDates(disk, sourcePath, created, modified));

    if (attributeValue != -1 && !keepState) {
        for (;;) {
            const int rc = disk.setAttributes(sourcePath, attributeValue);
            if (rc == FileErrors::None)
                break;
            const QString reason = PassReport::attributesReason(rc);
            const Next next = failed(rc, source, reason, targetPath);
            if (next == Next::NextStep)
                break;
            if (next != Next::Retry) {
                if (targetPath != sourcePath) // the file is passed over before its rename
                    m_report.notRenamed(source, reason);
                return next;
            }
        }
    }

    if (targetPath == sourcePath)
        return Next::NextStep;
    return renameFile(source, sourcePath, target, targetPath);
}

std::optional<RenamePass::Next> RenamePass::renameCaseOnly(const QString& source,
                                                           const QString& sourcePath,
                                                           const QString& target,
                                                           const QString& targetPath)
{
    if (!m_journal || m_steps)
        return std::nullopt;
    QString temporary;
    switch (
        CaseOnlyRename::run(fs(), *m_journal, source, sourcePath, target, targetPath, temporary)) {
    case CaseOnlyRename::Result::NotMade:
        return std::nullopt;
    case CaseOnlyRename::Result::Renamed:
        m_viaTemporary = temporary;
        m_renamed = true;
        m_report.renamed();
        break;
    case CaseOnlyRename::Result::Taken:
        m_report.notRenamed(source, PassReport::takenReason(target));
        break;
    }
    return Next::NextStep;
}

RenamePass::Next RenamePass::renameFile(const QString& source, const QString& sourcePath,
                                        const QString& target, const QString& targetPath)
{
    FileSystem& disk = fs();
    m_renamed = false;
    m_retries = 0;
    // A name a Windows disk refuses is named with the reason and never
    // tried (a name too long is the disk's own answer, below).
    if (m_session.nameRules().windowsNames) {
        if (const QString why = NameRules::windowsRefusal(target); !why.isEmpty()) {
            m_report.notRenamed(source, QStringLiteral("\"%1\": %2").arg(target, why));
            return Next::NextStep;
        }
    }
    if (const std::optional<Next> next = renameCaseOnly(source, sourcePath, target, targetPath))
        return *next;
    for (;;) {
        // A proposal that is no plain name is refused like a path the
        // platform rejects, rather than moving the file into another folder.
        const bool fileName = FileName::isPlainName(target);
        const int rc = fileName ? disk.rename(sourcePath, targetPath) : int(FileErrors::PathAccess);
        if (rc == FileErrors::None) {
            m_renamed = true;
            if (!m_toTemporary)
                m_report.renamed();
            return Next::NextStep;
        }
        // A target that the existence test sees is left as it is, without a
        // message, unless only the letter case changes. Since the rename
        // never replaces a target, asking after a failed rename gives the
        // same outcome as asking before it, and most files need no lookup.
        if (fileName && source.compare(target, Qt::CaseInsensitive) != 0 &&
            disk.isVisibleFile(targetPath)) {
            m_report.notRenamed(source, PassReport::takenReason(target));
            return Next::NextStep;
        }
        const QString reason = PassReport::reasonFor(rc, target);
        const Next next = failed(rc, source, reason, targetPath);
        if (next != Next::Retry) {
            m_report.notRenamed(source, reason);
            return next;
        }
    }
}

RenamePass::Outcome RenamePass::pass(int attributeValue)
{
    m_session.setUndoEnabled(true);
    setRunning(true);
    m_listReplaced = false;
    m_dateFailures.clear();
    Prompter& ask = prompter();
    BusyPointer busy(ask);

    const FileListModel& model = m_session.model();
    const QString folder = m_session.folderPath();
    const int last = m_session.lastPosition();
    m_report.start();
    // Full paths are built in two buffers that keep their capacity.
    QString sourcePath = folder, targetPath = folder;
    Outcome outcome = Outcome::Completed;
    if (!recordStates(attributeValue)) {
        outcome = Outcome::Stopped;
        countNotReached(0);
    }
    for (int i = 0; i <= last && outcome == Outcome::Completed; ++i) {
        if (m_listReplaced) {
            outcome = Outcome::Stopped;
            break;
        }
        const QString source = model.currentNameAt(i);
        const QString target = model.newNameAt(i);
        if (target != source)
            m_report.tried();
        sourcePath.truncate(folder.size());
        sourcePath += source;
        targetPath.truncate(folder.size());
        targetPath += target;
        const bool keepState = m_keepState.contains(i);
        // With a plan of steps, the renames wait for renameSteps().
        if (m_steps) {
            if (treatFile(source, sourcePath, source, sourcePath, attributeValue, keepState) ==
                Next::Stop) {
                outcome = Outcome::Stopped;
                countNotReached(i + 1);
            }
            continue;
        }
        if (m_journal)
            m_journal->before(i);
        if (journalStops()) {
            outcome = Outcome::Stopped;
            m_report.notReached(target != source);
            countNotReached(i + 1);
            break;
        }
        const Next next =
            treatFile(source, sourcePath, target, targetPath, attributeValue, keepState);
        recordStep(i, source, target);
        if (next == Next::Stop) {
            outcome = Outcome::Stopped;
            countNotReached(i + 1);
            break;
        }
        if (i % ProgressEvery == 0) {
            emit status(progressText(i, last));
            ask.processEvents();
        }
    }
    if (m_steps && outcome == Outcome::Completed)
        outcome = renameSteps();
    if (m_journal) {
        // The last records reach the disk before the pass says it is done.
        if (outcome == Outcome::Completed && m_journal->sync() && journalStops())
            outcome = Outcome::Stopped;
        m_journal->finish(outcome == Outcome::Completed);
    }
    if (const QString dates = m_dateFailures.message(); !dates.isEmpty())
        prompter().message(dates);
    m_keepState.clear();
    if (m_report.allRenamed() && outcome == Outcome::Completed)
        emit status(completedText());
    else
        emit status(failedText());
    return outcome;
}

// When the pass changes dates or attributes, the state of every listed file
// goes into the journal, and to the disk, before the first change: once
// written over, the old dates could not be found anywhere. A file whose
// state cannot be read is asked about as a failed step: Skip leaves its
// dates and attributes alone (it is still renamed), Stop ends the pass
// before any change.
bool RenamePass::recordStates(int attributeValue)
{
    m_keepState.clear();
    const bool dates = !FileDates::pendingCreationDate(m_session).isEmpty() ||
                       !FileDates::pendingModifiedDate(m_session).isEmpty();
    if (!m_journal || (!dates && attributeValue == -1))
        return true;
    const FileListModel& model = m_session.model();
    const QString folder = m_session.folderPath();
    QString path = folder;
    FileSystem::FileState state;
    for (int i = 0; i <= m_session.lastPosition(); ++i) {
        const QString name = model.currentNameAt(i);
        path.truncate(folder.size());
        path += name;
        m_retries = 0;
        for (;;) {
            const int rc = fs().fileState(path, state);
            if (rc == FileErrors::None)
                m_journal->was(name, state);
            const Next next =
                rc == FileErrors::None
                    ? Next::NextStep
                    : failed(rc, name,
                             QStringLiteral("its dates and attributes cannot be read (%1)")
                                 .arg(DiskErrors::text(rc)),
                             path);
            if (next == Next::Stop)
                return false;
            if (next == Next::NextFile)
                m_keepState.insert(i);
            if (next != Next::Retry)
                break;
        }
    }
    return !(m_journal->sync() && journalStops());
}

// A record that did not reach the journal (a full disk) stops the pass
// before its next change, so that everything it did can be undone: Retry
// writes the records again (once there is room); Skip, like Stop, ends the
// pass, since a step that is not recorded might not be undone.
bool RenamePass::journalStops()
{
    if (!m_journal)
        return false;
    m_retries = 0;
    Prompter& ask = prompter();
    while (const int rc = m_journal->error()) {
        emit status(failedText());
        const Prompter::FailureAnswer answer =
            ask.failure(QStringLiteral("The undo journal could not be written to %1 (%2): the "
                                       "pass stops before its next change, so that it can be "
                                       "undone.")
                            .arg(m_journal->path(), DiskErrors::text(rc)));
        if (answer != Prompter::FailureAnswer::Retry)
            return true;
        if (ask.retryLimit() > 0 && ++m_retries > ask.retryLimit()) {
            ask.message(QStringLiteral("Still failing after %1 retries: the pass stops here.")
                            .arg(ask.retryLimit()));
            return true;
        }
        m_journal->retry();
    }
    return false;
}

// The files from position `from` on that the pass was to rename.
void RenamePass::countNotReached(int from)
{
    const FileListModel& model = m_session.model();
    int files = 0;
    for (int i = from; i <= m_session.lastPosition(); ++i)
        files += model.newNameAt(i) != model.currentNameAt(i);
    for (int i = 0; i < files; ++i)
        m_report.tried();
    m_report.notReached(files);
}

void RenamePass::showReport()
{
    if (!m_report.allRenamed())
        prompter().message(m_report.summary(m_reportLimit));
}

// The list may change while the pass lets events run; a rename that is not
// the planned one is recorded as it was done.
void RenamePass::recordStep(int position, const QString& source, const QString& target)
{
    if (m_dryRun)
        (*m_dryRun)[position] = m_renamed;
    if (!m_journal)
        return;
    const bool planned = m_journal->isPlanned(position, source, target);
    if (m_renamed && !m_viaTemporary.isEmpty())
        m_journal->doneExtra(std::exchange(m_viaTemporary, QString()), target);
    else if (m_renamed && planned)
        m_journal->done(position);
    else if (m_renamed)
        m_journal->doneExtra(source, target);
    m_journal->reached(position);
}

QList<bool> RenamePass::dryRun(int attributeValue)
{
    m_session.awaitNames();
    QList<bool> renamed(m_session.lastPosition() + 1, false);
    if (m_running)
        return renamed;
    DryRunFileSystem dry(m_session.fs());
    QuietPrompter quiet(Prompter::FailureAnswer::Skip); // a failure skips the file
    m_fs = &dry;
    m_prompter = &quiet;
    m_dryRun = &renamed;
    RenameJournal* journal = std::exchange(m_journal, nullptr);
    renameFiles(attributeValue);
    m_journal = journal;
    m_fs = nullptr;
    m_prompter = nullptr;
    m_dryRun = nullptr;
    return renamed;
}

int RenamePass::beginJournal(RenameJournal& journal, const QString& path) const
{
    const FileListModel& model = m_session.model();
    return journal.begin(
        path, m_session.folderPath(), m_session.lastPosition() + 1, [&model](qsizetype i) {
            return RenameJournal::Step{model.currentNameAt(int(i)), model.newNameAt(int(i))};
        });
}

RenamePass::Outcome RenamePass::renameFiles(int attributeValue)
{
    if (m_running)
        return Outcome::Stopped;
    m_session.awaitNames();
    const Outcome outcome = pass(attributeValue);
    setRunning(false);
    showReport();
    return outcome;
}

RenamePass::Outcome RenamePass::renameFiles(int attributeValue,
                                            const QList<RenameJournal::Step>& steps)
{
    m_steps = &steps;
    const Outcome outcome = renameFiles(attributeValue);
    m_steps = nullptr;
    return outcome;
}

// The steps of the plan, each recorded in the journal by its index as the
// pass records a position.
RenamePass::Outcome RenamePass::renameSteps()
{
    const QString folder = m_session.folderPath();
    QSet<QString> notBrought; // targets of steps that failed
    QSet<QString> temporary;  // names an earlier step makes, for a later one
    for (const RenameJournal::Step& step : *m_steps)
        if (step.fromEarlierStep)
            temporary.insert(step.from);
    QString sourcePath = folder, targetPath = folder;
    const int last = int(m_steps->size()) - 1;
    for (int i = 0; i <= last; ++i) {
        if (m_listReplaced)
            return Outcome::Stopped;
        const RenameJournal::Step& step = (*m_steps)[i];
        sourcePath.truncate(folder.size());
        sourcePath += step.from;
        targetPath.truncate(folder.size());
        targetPath += step.to;
        if (m_journal)
            m_journal->before(i);
        if (journalStops()) {
            m_report.notReached(last - i + 1);
            return Outcome::Stopped;
        }
        Next next = Next::NextStep;
        m_renamed = false;
        m_toTemporary = temporary.contains(step.to);
        if (!(step.fromEarlierStep && notBrought.contains(step.from)))
            next = renameFile(step.from, sourcePath, step.to, targetPath);
        m_toTemporary = false;
        if (m_journal) {
            if (m_renamed)
                m_journal->done(i);
            m_journal->reached(i);
        }
        if (next == Next::Stop) {
            m_report.notReached(last - i);
            return Outcome::Stopped;
        }
        if (!m_renamed)
            notBrought.insert(step.to);
        if (i % ProgressEvery == 0) {
            emit status(progressText(i, last));
            prompter().processEvents();
        }
    }
    return Outcome::Completed;
}

// The window's pass: its journal is kept with quillon-cli's, and Ctrl+Z
// undoes from it. Where it cannot be written the same journal is kept in
// memory, so Ctrl+Z still works while the window stays open.
RenamePass::Outcome RenamePass::renameAndRescan(int attributeValue)
{
    if (m_running)
        return Outcome::Stopped;
    m_session.awaitNames();
    // Allow Swaps and Shifts: the pass renames in the plan's order, through
    // temporary names where files go round, every step in the journal.
    const bool swaps = m_session.swapsAllowed();
    const QList<RenameJournal::Step> steps =
        swaps ? RenameCyclePlanner::planFor(m_session).steps : QList<RenameJournal::Step>();
    RenameJournal journal;
    const QString path = JournalFolder::newJournal();
    const int rc = path.isEmpty() ? int(FileErrors::PathAccess)
                   : swaps        ? journal.begin(path, m_session.folderPath(), steps)
                                  : beginJournal(journal, path);
    m_undoJournal = rc == FileErrors::None ? path : QString();
    m_undoInMemory.reset();
    if (rc != FileErrors::None) {
        m_session.prompter().message(
            QStringLiteral("The undo journal could not be written to %1; this pass can be undone "
                           "only while the window stays open.")
                .arg(path.isEmpty() ? JournalFolder::path() : path));
        const FileListModel& model = m_session.model();
        const qsizetype count = swaps ? steps.size() : m_session.lastPosition() + 1;
        journal.beginInMemory(m_session.folderPath(), count, [&](qsizetype i) {
            return swaps
                       ? steps[i]
                       : RenameJournal::Step{model.currentNameAt(int(i)), model.newNameAt(int(i))};
        });
    }
    m_steps = swaps ? &steps : nullptr;
    m_journal = &journal;
    const Outcome outcome = pass(attributeValue);
    m_journal = nullptr;
    m_steps = nullptr;
    m_undoInMemory = journal.takeContents();
    JournalFolder::prune();
    if (outcome == Outcome::Completed && m_session.extension() != NameGenerator::keepExtension())
        emit typeBoxText(QLatin1Char('*') + m_session.extension());
    m_session.scanFolder();
    setRunning(false);
    showReport(); // over the list as it now is
    return outcome;
}

// The same undo as quillon-cli's, from the window's journal (or the one in
// memory). What it could not undo is named, and Ctrl+Z stays enabled, so
// that once the cause is gone the next one does the rest.
void RenamePass::undoLastPass()
{
    if (!m_session.undoEnabled() || m_running)
        return;
    setRunning(true);
    RenameJournal::UndoReport report;
    {
        BusyPointer busy(m_session.prompter());
        report = m_undoInMemory ? RenameJournal::undo(m_session.fs(), *m_undoInMemory, nullptr)
                                : RenameJournal::undoFile(m_session.fs(), m_undoJournal);
    }
    setRunning(false);
    m_session.setUndoEnabled(!report.complete() && report.problem.isEmpty());
    m_session.scanFolder();
    emit status(report.complete() ? undoneText() : QString());
    if (!report.complete())
        m_session.prompter().message(undoProblems(report));
}

QString RenamePass::undoProblems(const RenameJournal::UndoReport& report)
{
    QStringList lines = report.messages();
    if (lines.size() > MessageLines) {
        const qsizetype more = lines.size() - (MessageLines - 1);
        lines.resize(MessageLines - 1);
        lines << QStringLiteral("... and %1 more").arg(more);
    }
    return lines.join(QLatin1Char('\n'));
}
