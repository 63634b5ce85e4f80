#include "RenamePass.h"

#include "FileDates.h"
#include "NameGenerator.h"
#include "Session.h"
#include "UndoRecord.h"
#include "filelist/FileListModel.h"
#include "platform/FileErrors.h"
#include "platform/FileSystem.h"
#include "platform/Prompter.h"

#include <QSet>

namespace
{

const int ProgressEvery = 20;

QString conflictMessage()
{
    return QStringLiteral("Read-Only media or file name conflict Error occured.");
}

// A proposal that cannot be a name inside the folder (empty, "." or "..",
// or holding "/") is refused like a path the platform rejects, rather than
// moving the file into another folder.
bool isFileName(const QString& name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") &&
           !name.contains(QLatin1Char('/')) && !name.contains(QChar(0));
}

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

RenamePass::Next RenamePass::failed(int code, const QString& target)
{
    emit status(failedText());
    Prompter& prompter = m_session.prompter();
    Prompter::FailureAnswer answer;
    switch (code) {
    case FileErrors::FileNotFound:
        return Next::NextStep;
    case FileErrors::InvalidCall:
        answer = prompter.failure(QStringLiteral("Cannot Rename Read-only Media"));
        break;
    case FileErrors::FileExists:
        prompter.message(QStringLiteral("Cannot rename to '") + target +
                         QStringLiteral("' because that filename aready exists..."));
        answer = prompter.failure(conflictMessage());
        break;
    default:
        answer = prompter.failure(conflictMessage());
        break;
    }
    switch (answer) {
    case Prompter::FailureAnswer::Retry:
        return Next::Retry;
    case Prompter::FailureAnswer::Skip:
        return Next::NextFile;
    case Prompter::FailureAnswer::Stop:
        break;
    }
    return Next::Stop;
}

RenamePass::Next RenamePass::treatFile(const QString& source, const QString& s,
                                       const QString& target, const QString& t, int attributeValue)
{
    FileSystem& fs = m_session.fs();
    const QString date1 = FileDates::GetDate1(m_session);
    const QString date2 = FileDates::GetDate2(m_session);
    if (!date1.isEmpty() || !date2.isEmpty())
        FileDates::SetFileDates(fs, s, date1, date2);

    if (attributeValue != -1) {
        for (;;) {
            const int rc = fs.setAttributes(s, attributeValue);
            const Next next = rc == FileErrors::None ? Next::NextStep : failed(rc, t);
            if (next == Next::NextStep)
                break;
            if (next != Next::Retry)
                return next;
        }
    }

    if (t == s)
        return Next::NextStep;
    bool renamed = false;
    return renameFile(source, s, target, t, renamed);
}

RenamePass::Next RenamePass::renameFile(const QString& source, const QString& s,
                                        const QString& target, const QString& t, bool& renamed)
{
    FileSystem& fs = m_session.fs();
    renamed = false;
    for (;;) {
        const bool fileName = isFileName(target);
        const int rc = fileName ? fs.rename(s, t) : int(FileErrors::PathAccess);
        renamed = rc == FileErrors::None;
        if (rc == FileErrors::None)
            return Next::NextStep;
        // A target that the existence test sees is left as it is, without a
        // message, unless only the letter case changes. Since the rename
        // never replaces a target, asking after a failed rename gives the
        // same outcome as asking before it, and most files need no lookup.
        if (fileName && source.compare(target, Qt::CaseInsensitive) != 0 && fs.findName(t))
            return Next::NextStep;
        const Next next = failed(rc, t);
        if (next != Next::Retry)
            return next;
    }
}

RenamePass::Outcome RenamePass::pass(int attributeValue)
{
    m_session.setUndoEnabled(true);
    setRunning(true);
    m_listReplaced = false;
    Prompter& prompter = m_session.prompter();
    prompter.setBusy(true);

    const FileListModel& model = m_session.model();
    const QString folder = m_session.FolderPath;
    const int last = m_session.FileLast;
    UndoRecord& undo = m_session.undoRecord;
    undo.start(folder, last + 1);
    // Full paths are built in two buffers that keep their capacity.
    QString s = folder, t = folder;
    Outcome outcome = Outcome::Completed;
    for (int i = 0; i <= last; ++i) {
        if (m_listReplaced) {
            outcome = Outcome::Stopped;
            break;
        }
        const QString source = model.SourceName(i);
        const QString target = model.DesName(i);
        s.truncate(folder.size());
        s += source;
        t.truncate(folder.size());
        t += target;
        // With a plan, the renames wait for the steps below.
        if (treatFile(source, s, m_steps ? source : target, m_steps ? s : t, attributeValue) ==
            Next::Stop) {
            outcome = Outcome::Stopped;
            break;
        }
        if (m_steps)
            continue;
        if (i % ProgressEvery == 0) {
            emit status(progressText(i, last));
            prompter.processEvents();
        }
        undo.add(source, target);
    }
    if (m_steps && outcome == Outcome::Completed)
        outcome = renameSteps();
    if (outcome == Outcome::Completed)
        emit status(completedText());
    prompter.setBusy(false);
    return outcome;
}

RenamePass::Outcome RenamePass::renameFiles(int attributeValue)
{
    if (m_running)
        return Outcome::Stopped;
    const Outcome outcome = pass(attributeValue);
    setRunning(false);
    return outcome;
}

RenamePass::Outcome RenamePass::renameFiles(int attributeValue,
                                            const std::vector<RenameCyclePlanner::Step>& steps)
{
    m_steps = &steps;
    const Outcome outcome = renameFiles(attributeValue);
    m_steps = nullptr;
    return outcome;
}

RenamePass::Outcome RenamePass::renameSteps()
{
    const QString folder = m_session.FolderPath;
    UndoRecord& undo = m_session.undoRecord;
    undo.start(folder, qsizetype(m_steps->size()));
    QSet<QString> notBrought; // targets of steps that failed
    QString s = folder, t = folder;
    const int last = int(m_steps->size()) - 1;
    for (int i = 0; i <= last; ++i) {
        if (m_listReplaced)
            return Outcome::Stopped;
        const RenameCyclePlanner::Step& step = (*m_steps)[size_t(i)];
        s.truncate(folder.size());
        s += step.from;
        t.truncate(folder.size());
        t += step.to;
        bool renamed = false;
        if (!(step.fromEarlierStep && notBrought.contains(step.from)) &&
            renameFile(step.from, s, step.to, t, renamed) == Next::Stop)
            return Outcome::Stopped;
        if (!renamed)
            notBrought.insert(step.to);
        if (i % ProgressEvery == 0) {
            emit status(progressText(i, last));
            m_session.prompter().processEvents();
        }
        undo.add(step.from, step.to);
    }
    return Outcome::Completed;
}

RenamePass::Outcome RenamePass::Command1_Click(int attributeValue)
{
    if (m_running)
        return Outcome::Stopped;
    const Outcome outcome = pass(attributeValue);
    if (outcome == Outcome::Completed && m_session.Text2 != NameGenerator::keepExtension())
        emit typeBoxText(QLatin1Char('*') + m_session.Text2);
    m_session.ListRefresh();
    setRunning(false);
    return outcome;
}

void RenamePass::undoPairs(FileSystem& fs, const UndoRecord& record)
{
    // Last rename first: a name that a later rename took was freed by an
    // earlier one, so it is given back before that earlier one is undone.
    for (qsizetype i = record.count() - 1; i >= 0; --i) {
        const QString oldPath = record.oldPath(i);
        const QString newPath = record.newPath(i);
        if (oldPath != newPath && !fs.findName(oldPath))
            fs.rename(newPath, oldPath);
    }
}

void RenamePass::Undo_Rename_Click()
{
    if (!m_session.undoEnabled() || m_running)
        return;
    m_session.setUndoEnabled(false);
    setRunning(true);
    m_session.prompter().setBusy(true);
    undoPairs(m_session.fs(), m_session.undoRecord);
    m_session.prompter().setBusy(false);
    setRunning(false);
    m_session.ListRefresh();
}
