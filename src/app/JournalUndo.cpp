// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "JournalUndo.h"

#include "JournalReader.h"
#include "JournalRecords.h"
#include "output/DiskErrors.h"
#include "platform/FieldText.h"
#include "platform/FileErrors.h"
#include "platform/FileName.h"

#include <QDir>
#include <QElapsedTimer>
#include <QHash>

#include <algorithm>
#include <tuple>

namespace
{

quint64 nameHash(const QString& name)
{
    quint64 hash = qHash(name, 3);
    if constexpr (sizeof(size_t) < sizeof(quint64))
        hash = hash << 32 | qHash(name, 4);
    return hash;
}

QString pairText(const QString& from, const QString& to)
{
    return FieldText::escaped(from) + QStringLiteral(" -> ") + FieldText::escaped(to);
}

bool isCleanFolder(const QString& folder)
{
    return folder.startsWith(QLatin1Char('/')) && folder.endsWith(QLatin1Char('/')) &&
           (folder == QLatin1String("/") || QDir::cleanPath(folder) + QLatin1Char('/') == folder);
}

QString nameText(const QString& name)
{
    return FieldText::escaped(name);
}

// The steps of an undo that share a name with another step (a chain, or a
// cycle through a temporary name): only for these can a record that was lost
// (the undo killed after the rename, before its record was written) not be
// found again on the disk, so only these are recorded one by one. The names
// are told apart by a 64-bit hash, as the plan's steps are: two names taken
// for one merely record a step at once that could have waited.
std::vector<bool> sharingSteps(const QList<RenameJournal::Step>& steps)
{
    std::vector<quint64> hashes;
    hashes.reserve(size_t(steps.size()) * 2);
    for (const RenameJournal::Step& step : steps)
        hashes.insert(hashes.end(), {nameHash(step.from), nameHash(step.to)});
    std::sort(hashes.begin(), hashes.end());
    std::vector<quint64> shared;
    for (size_t k = 1; k < hashes.size(); ++k)
        if (hashes[k] == hashes[k - 1] && (shared.empty() || shared.back() != hashes[k]))
            shared.push_back(hashes[k]);
    std::vector<bool> sharing(size_t(steps.size()), false);
    if (shared.empty())
        return sharing;
    auto isShared = [&shared](const QString& name) {
        return std::binary_search(shared.begin(), shared.end(), nameHash(name));
    };
    for (qsizetype i = 0; i < steps.size(); ++i)
        sharing[size_t(i)] = isShared(steps[i].from) || isShared(steps[i].to);
    return sharing;
}

} // namespace

RenameJournal::UndoPlan JournalUndo::steps(const RenameJournal::Contents& journal)
{
    RenameJournal::UndoPlan undo;
    const bool folderOk = isCleanFolder(journal.folder);
    auto add = [&](const RenameJournal::Step& step, bool checked) {
        if (step.from == step.to)
            return;
        if (!folderOk || !FileName::isPlainName(step.from) || !FileName::isPlainName(step.to)) {
            undo.refused << pairText(step.from, step.to);
            return;
        }
        undo.steps.append({step.to, step.from});
        undo.checked.append(checked);
    };
    // Newest first: the steps nobody recorded, then the recorded ones. An
    // unrecorded step from a name an earlier step makes cannot have run
    // unless that step is recorded (the writer syncs before such a step).
    auto maker = [&](qsizetype i) {
        for (qsizetype k = i - 1; k >= 0; --k) {
            if (journal.plan[k].to == journal.plan[i].from)
                return k;
        }
        return qsizetype(-1);
    };
    for (qsizetype i = journal.plan.size() - 1; i >= journal.undecided; --i) {
        if (!journal.plan[i].fromEarlierStep || journal.doneSteps.contains(maker(i)))
            add(journal.plan[i], true);
    }
    for (qsizetype i = journal.performed.size() - 1; i >= 0; --i)
        add(journal.performed[i], false);
    return undo;
}

// The steps newest first, then the states. Every step and state put back is
// recorded in marks, so an undo killed or stopped halfway is finished by the
// next, which never repeats a step (undone twice, a swap through a temporary
// name would swap again). A step that shares a name with another is recorded
// before the next rename; the records of the others are appended together
// every FlushMs, as the pass appends its own: one lost to a kill is found
// again on the disk (its name now gone, its old name there). A record that
// cannot be written stops the undo there.
//
// The undo renames first and looks later: the journal says what the pass
// renamed, so a step is only looked at (two stats) when its rename fails or
// the journal did not record it; the folders among the names come from one
// read of the folder.
RenameJournal::UndoReport JournalUndo::undo(FileSystem& fs, RenameJournal::Contents& journal,
                                            DurableFile* marks)
{
    const RenameJournal::UndoPlan plan = steps(journal);
    RenameJournal::UndoReport report;
    report.folder = journal.folder;
    report.refused = plan.refused;
    int markError = FileErrors::None;
    QByteArray records;
    QElapsedTimer sinceFlush;
    sinceFlush.start();
    auto flushMarks = [&]() {
        if (marks && !markError && !records.isEmpty())
            markError = marks->append(records);
        records.resize(0);
        sinceFlush.start();
    };
    auto mark = [&](QSet<qsizetype>& done, const char* kind, qsizetype k, bool now) {
        done.insert(k);
        if (!marks)
            return;
        JournalRecords::appendNumbered(records, kind, k);
        if (now || records.size() >= RenameJournal::PieceBytes ||
            (k % 64 == 0 && sinceFlush.elapsed() >= RenameJournal::FlushMs))
            flushMarks();
    };
    const std::vector<bool> sharing = sharingSteps(plan.steps);
    QSet<QString> folders;
    if (!plan.steps.isEmpty())
        std::ignore = fs.folderNames(journal.folder, folders);
    const QString stopped = QStringLiteral(" (the undo stopped: its journal could not be written)");
    // The names of the steps not undone. A later step that renames from or
    // to one of them is not undone either: the file there may not be the
    // one it renamed. The next undo, which retries them in order, does it.
    QSet<QString> stuck;
    for (qsizetype i = 0; i < plan.steps.size(); ++i) {
        if (journal.backSteps.contains(i))
            continue;
        const RenameJournal::Step& step = plan.steps[i];
        const bool shares = sharing[size_t(i)];
        const QString now = journal.folder + step.from;
        const QString back = journal.folder + step.to;
        const bool free =
            !markError && !folders.contains(step.from) &&
            (stuck.isEmpty() || !(stuck.contains(step.from) || stuck.contains(step.to)));
        int rc = free ? fs.rename(now, back) : int(FileErrors::PathAccess);
        if (rc == FileErrors::None) {
            ++report.renamed;
            mark(journal.backSteps, "back", i, shares);
            continue;
        }
        FileSystem::Entry entry, there;
        const bool present = fs.stat(now, entry) == 0;
        const bool taken = fs.stat(back, there) == 0;
        // An unrecorded step ran when its new name is there and its old one free.
        if (plan.checked[i] && (!present || taken))
            continue;
        const QString pair = nameText(step.from) + QStringLiteral(" -> ") + nameText(step.to);
        QString why;
        if (markError) {
            why = stopped;
        } else if (stuck.contains(step.from) || stuck.contains(step.to)) {
            why = QStringLiteral(" (a step before it could not be undone)");
        } else if (!present && taken) {
            // Undone before its record could be written.
            mark(journal.backSteps, "back", i, shares);
            continue;
        } else if (!present) {
            why = QStringLiteral(": %1 is gone").arg(nameText(step.from));
        } else if (entry.isFolder) {
            report.refused << pairText(step.to, step.from) + QStringLiteral(" (a folder)");
        } else if (taken) {
            why = QStringLiteral(": %1 is taken").arg(nameText(step.to));
        } else if (!free && (rc = fs.rename(now, back)) == FileErrors::None) {
            // Listed as a folder, but a file by now.
            ++report.renamed;
            mark(journal.backSteps, "back", i, shares);
            continue;
        } else {
            why = QStringLiteral(" (%1)").arg(DiskErrors::text(rc));
        }
        if (!why.isEmpty())
            report.left << QStringLiteral("not undone: ") + pair + why;
        stuck << step.from << step.to;
    }
    for (qsizetype k = 0; k < journal.states.size(); ++k) {
        const RenameJournal::FileRecord& file = journal.states[k];
        if (journal.restored.contains(k) || stuck.contains(file.name))
            continue; // its step is named above
        if (!isCleanFolder(journal.folder) || !FileName::isPlainName(file.name)) {
            report.refused << nameText(file.name);
            continue;
        }
        const QString what =
            QStringLiteral("dates and attributes not restored: ") + nameText(file.name);
        const int rc = markError ? -1 : fs.restoreFileState(journal.folder + file.name, file.state);
        if (rc == FileErrors::None)
            mark(journal.restored, "restored", k, false); // put back twice, a state is the same
        else if (rc == -1)
            report.left << what + stopped;
        else if (rc == FileErrors::FileNotFound)
            report.left << what + QStringLiteral(" (it is gone)");
        else
            report.left << what + QStringLiteral(" (%1)").arg(DiskErrors::text(rc));
    }
    flushMarks();
    if (marks && markError == FileErrors::None && report.complete())
        markError = marks->append("undone\n");
    if (marks && markError == FileErrors::None)
        markError = marks->sync();
    if (markError)
        report.left << QStringLiteral("the undo could not be recorded in its journal (%1): undo "
                                      "again once that is mended, to finish it")
                           .arg(DiskErrors::text(markError));
    journal.undone = report.complete();
    return report;
}

RenameJournal::UndoReport JournalUndo::undoFile(FileSystem& fs, const QString& path)
{
    RenameJournal::UndoReport report;
    RenameJournal::Contents journal;
    qint64 kept = 0;
    report.problem = JournalReader::load(fs, path, journal, &kept);
    if (!report.problem.isEmpty())
        return report;
    report.folder = journal.folder;
    if (journal.undone) {
        report.problem = QStringLiteral("%1 was undone already").arg(path);
        return report;
    }
    // Without its records a later undo could repeat a step: nothing is
    // undone unless the journal can take them.
    DurableFile marks;
    if (const int rc = marks.reopen(path, kept)) {
        report.problem = QStringLiteral("%1 cannot be written (%2): nothing was undone")
                             .arg(path, DiskErrors::text(rc));
        return report;
    }
    report = undo(fs, journal, &marks);
    marks.close();
    return report;
}

QStringList RenameJournal::UndoReport::messages() const
{
    QStringList out;
    if (!problem.isEmpty())
        out << problem;
    for (const QString& pair : refused)
        out << QStringLiteral("not undone, not a file named inside %1: %2")
                   .arg(FieldText::escaped(folder), pair);
    return out + left;
}
