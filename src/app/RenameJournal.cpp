// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "RenameJournal.h"

#include "output/DiskErrors.h"
#include "platform/DosAttrib.h"
#include "platform/FieldText.h"
#include "platform/FileErrors.h"
#include "platform/FileName.h"
#include "platform/FileNameCodec.h"
#include "platform/FileSystem.h"

#include <QDir>
#include <QHash>

#include <algorithm>
#include <charconv>
#include <tuple>

namespace
{

void appendStep(QByteArray& text, const char* kind, const QString& from, const QString& to)
{
    text += kind;
    text += '\t';
    FieldText::appendEscapedBytes(text, from);
    text += '\t';
    FieldText::appendEscapedBytes(text, to);
    text += '\n';
}

// "kind<TAB>number" and its line end, without a string for the number.
void appendNumbered(QByteArray& text, const char* kind, qsizetype number)
{
    char digits[24];
    const char* end = std::to_chars(digits, digits + sizeof digits, number).ptr;
    text.append(kind).append('\t').append(digits, end - digits).append('\n');
}

// A step is checked against the plan by a 64-bit hash of its two names
// rather than a copy of them: a pair that differs from the planned one
// passes for it once in 2^64, and the plan of a long list costs 8 bytes a
// step instead of two strings.
quint64 stepHash(const QString& from, const QString& to)
{
    quint64 hash = qHash(to, qHash(from, 1));
    if constexpr (sizeof(size_t) < sizeof(quint64)) // two halves where qHash gives 32 bits
        hash = hash << 32 | qHash(to, qHash(from, 2));
    return hash;
}

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

void appendTime(QByteArray& text, const FileSystem::Time& time)
{
    text += QByteArray::number(time.seconds) + '.' +
            QByteArray::number(time.nanoseconds).rightJustified(9, '0');
}

bool parseTime(const QString& text, FileSystem::Time& time)
{
    const qsizetype dot = text.indexOf(QLatin1Char('.'));
    bool secondsOk = false, nanosecondsOk = false;
    time.seconds = text.left(dot).toLongLong(&secondsOk);
    time.nanoseconds = text.mid(dot + 1).toInt(&nanosecondsOk);
    return dot > 0 && text.size() - dot == 10 && secondsOk && nanosecondsOk &&
           time.nanoseconds >= 0;
}

// "was<TAB>name<TAB>modified<TAB>created<TAB>mode<TAB>dosattrib"
void appendState(QByteArray& text, const QString& name, const FileSystem::FileState& state)
{
    text += "was\t";
    FieldText::appendEscapedBytes(text, name);
    text += '\t';
    appendTime(text, state.modified);
    text += '\t';
    const DosAttrib dos = DosAttrib::decode(state.dosAttrib);
    if (state.hasDosAttrib && dos.createTimeValid) {
        FileSystem::Time created;
        DosAttrib::unixFromNtTime(dos.createTime, created.seconds, created.nanoseconds);
        appendTime(text, created);
    } else {
        text += '-';
    }
    text += '\t' + QByteArray::number(state.mode, 8) + '\t';
    text += state.hasDosAttrib ? state.dosAttrib.toHex() : QByteArray("-");
    text += '\n';
}

bool parseState(const QStringList& f, RenameJournal::FileRecord& record)
{
    FileSystem::FileState& state = record.state;
    FileSystem::Time created;
    bool modeOk = false;
    record.name = f[1];
    state.mode = f[4].toInt(&modeOk, 8);
    state.hasDosAttrib = f[5] != QLatin1String("-");
    const QByteArray hex = f[5].toLatin1();
    state.dosAttrib = state.hasDosAttrib ? QByteArray::fromHex(hex) : QByteArray();
    return parseTime(f[2], state.modified) &&
           (f[3] == QLatin1String("-") || parseTime(f[3], created)) && modeOk && state.mode >= 0 &&
           state.mode <= 07777 && (!state.hasDosAttrib || state.dosAttrib.toHex() == hex.toLower());
}

QString nameText(const QString& name)
{
    return FieldText::escaped(name);
}

} // namespace

RenameJournal::RenameJournal() = default;

RenameJournal::~RenameJournal()
{
    m_file.close();
}

QByteArray RenameJournal::header()
{
    return QByteArrayLiteral("Quillon rename journal");
}

int RenameJournal::begin(const QString& path, const QString& folder, const QList<Step>& plan)
{
    return begin(path, folder, plan.size(), [&plan](qsizetype i) { return plan[i]; });
}

void RenameJournal::planStep(qsizetype i, const Step& step)
{
    m_stepHashes[size_t(i)] = stepHash(step.from, step.to);
    m_fromEarlierStep[size_t(i)] = step.fromEarlierStep;
}

// The plan goes to the disk in pieces of PieceBytes from one buffer, each
// piece's writeback starting while the next is built: a plan of a million
// steps never lies in memory whole, neither as steps nor as text.
int RenameJournal::begin(const QString& path, const QString& folder, qsizetype count,
                         const std::function<Step(qsizetype)>& stepAt)
{
    m_reached = m_written = -1;
    m_error = 0;
    m_path = path;
    m_memory.reset();
    m_stepHashes.assign(size_t(count), 0);
    m_fromEarlierStep.assign(size_t(count), false);
    QByteArray& text = m_pending; // its room serves the records afterwards
    text.resize(0);
    text.reserve(PieceBytes + 4096);
    text += header() + "\nfolder\t";
    FieldText::appendEscapedBytes(text, folder);
    text += "\nstarted\t" + QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toLatin1() + '\n';
    int rc = m_file.start(path);
    for (qsizetype i = 0; i < count && rc == FileErrors::None; ++i) {
        const Step step = stepAt(i);
        planStep(i, step);
        appendStep(text, step.fromEarlierStep ? "then" : "step", step.from, step.to);
        if (text.size() >= PieceBytes) {
            rc = m_file.add(text);
            text.resize(0);
        }
    }
    appendNumbered(text, "planned", count);
    if (rc == FileErrors::None)
        rc = m_file.add(text);
    if (rc == FileErrors::None)
        rc = m_file.commit();
    text.resize(0);
    m_sinceFlush.start();
    m_sinceSync.start();
    return rc;
}

void RenameJournal::beginInMemory(const QString& folder, qsizetype count,
                                  const std::function<Step(qsizetype)>& stepAt)
{
    m_file.close();
    m_reached = m_written = -1;
    m_error = 0;
    m_path.clear();
    m_pending.clear();
    m_memory = std::make_unique<Contents>();
    m_memory->folder = folder;
    m_memory->started = QDateTime::currentDateTimeUtc();
    m_stepHashes.assign(size_t(count), 0);
    m_fromEarlierStep.assign(size_t(count), false);
    m_memory->plan.reserve(count);
    for (qsizetype i = 0; i < count; ++i) {
        m_memory->plan.append(stepAt(i));
        planStep(i, m_memory->plan.last());
    }
}

bool RenameJournal::isPlanned(qsizetype index, const QString& from, const QString& to) const
{
    return index >= 0 && size_t(index) < m_stepHashes.size() &&
           m_stepHashes[size_t(index)] == stepHash(from, to);
}

void RenameJournal::was(const QString& name, const FileSystem::FileState& state)
{
    if (m_memory) {
        m_memory->states.append({name, state});
        return;
    }
    appendState(m_pending, name, state);
    if (m_pending.size() >= PieceBytes)
        flush(true);
}

int RenameJournal::sync()
{
    flush(true);
    return m_error;
}

void RenameJournal::before(qsizetype index)
{
    if (index >= 0 && size_t(index) < m_fromEarlierStep.size() && m_fromEarlierStep[size_t(index)])
        flush(true);
}

void RenameJournal::done(qsizetype index)
{
    if (m_memory) {
        m_memory->performed.append(m_memory->plan[index]);
        m_memory->doneSteps.append(index);
        m_memory->undecided = qMax(m_memory->undecided, index + 1);
        return;
    }
    appendNumbered(m_pending, "done", index);
}

void RenameJournal::doneExtra(const QString& from, const QString& to)
{
    if (m_memory) {
        m_memory->performed.append({from, to});
        return;
    }
    // Not in the plan, so nothing could find it again: on disk at once.
    appendStep(m_pending, "extra", from, to);
    flush(true);
}

void RenameJournal::reached(qsizetype index)
{
    m_reached = index;
    if (m_memory) {
        m_memory->undecided = qMax(m_memory->undecided, index + 1);
        return;
    }
    // Looking at the clock costs little, but not nothing: every 64 steps.
    if (++m_calls % 64 == 0)
        flush(false);
}

// Appends the pending records. After a failure nothing more is tried until
// retry(): the records wait in m_pending, a part already written taken off.
void RenameJournal::flush(bool force)
{
    if (!m_file.isOpen() || m_error)
        return;
    if (!force && m_sinceFlush.elapsed() < FlushMs)
        return;
    if (m_reached > m_written) {
        appendNumbered(m_pending, "reached", m_reached);
        m_written = m_reached;
    }
    if (!m_pending.isEmpty()) {
        qsizetype written = 0;
        m_error = m_file.append(m_pending, &written);
        m_pending.remove(0, written);
        if (m_error)
            return;
    }
    m_pending.resize(0); // keeps its room for the next records
    m_sinceFlush.start();
    if (force || m_sinceSync.elapsed() >= SyncMs) {
        m_error = m_file.sync();
        m_sinceSync.start();
    }
}

int RenameJournal::retry()
{
    m_error = 0;
    flush(true);
    return m_error;
}

int RenameJournal::finish(bool completed)
{
    if (m_memory) {
        m_memory->ended = true;
        m_memory->completed = completed;
        m_memory->undecided = m_memory->plan.size();
        return FileErrors::None;
    }
    if (!m_file.isOpen())
        return m_error;
    flush(true);
    // After a record that did not reach the file, the steps it held are
    // found on the disk: an end record would say there were none.
    if (m_error == FileErrors::None) {
        m_pending = completed ? "finished\n" : "stopped\n";
        m_error = m_file.append(m_pending);
        if (m_error == FileErrors::None)
            m_error = m_file.sync();
    }
    m_pending.clear();
    m_file.close();
    return m_error;
}

bool RenameJournal::read(const QByteArray& bytes, Contents& journal, QString& why)
{
    if (!bytes.startsWith(header() + '\n')) {
        why = QStringLiteral("it does not start with the line \"%1\"")
                  .arg(QString::fromLatin1(header()));
        return false;
    }
    journal = {};
    // A last line without its line end was cut by a crash: it is left out.
    const QString text = FileNameCodec::decode(bytes.left(bytes.lastIndexOf('\n') + 1));
    const QList<QStringView> lines = QStringView(text).split(QLatin1Char('\n'));
    QStringList f;
    bool planned = false;
    for (qsizetype n = 1; n < lines.size(); ++n) {
        bool ok = FieldText::splitLine(lines[n], f);
        const QString kind = f.value(0);
        if (!ok || kind.isEmpty()) {
            ok = lines[n].isEmpty() && n == lines.size() - 1;
        } else if (kind == QLatin1String("folder") && f.size() == 2) {
            journal.folder = f[1];
        } else if (kind == QLatin1String("started") && f.size() == 2) {
            journal.started = QDateTime::fromString(f[1], Qt::ISODate);
        } else if ((kind == QLatin1String("step") || kind == QLatin1String("then")) &&
                   f.size() == 3 && !planned) {
            journal.plan.append({f[1], f[2], kind == QLatin1String("then")});
        } else if (kind == QLatin1String("planned") && f.size() == 2) {
            planned = f[1].toLongLong(&ok) == journal.plan.size() && ok;
        } else if (kind == QLatin1String("extra") && f.size() == 3 && planned) {
            journal.performed.append({f[1], f[2]});
        } else if ((kind == QLatin1String("done") || kind == QLatin1String("reached")) &&
                   f.size() == 2 && planned) {
            const qsizetype i = f[1].toLongLong(&ok);
            ok = ok && i >= 0 && i < journal.plan.size();
            if (ok && kind == QLatin1String("done")) {
                journal.performed.append(journal.plan[i]);
                journal.doneSteps.append(i);
            }
            if (ok)
                journal.undecided = qMax(journal.undecided, i + 1);
        } else if (kind == QLatin1String("was") && f.size() == 6 && planned) {
            FileRecord record;
            ok = parseState(f, record);
            journal.states.append(record);
        } else if ((kind == QLatin1String("back") || kind == QLatin1String("restored")) &&
                   f.size() == 2 && planned) {
            const qsizetype k = f[1].toLongLong(&ok);
            ok = ok && k >= 0;
            (kind == QLatin1String("back") ? journal.backSteps : journal.restored).insert(k);
        } else if (kind == QLatin1String("undone") && f.size() == 1 && planned) {
            journal.undone = true;
        } else if ((kind == QLatin1String("finished") || kind == QLatin1String("stopped")) &&
                   f.size() == 1) {
            journal.ended = true;
            journal.completed = kind == QLatin1String("finished");
        } else {
            ok = false;
        }
        if (!ok) {
            why = QStringLiteral("line %1 cannot be read").arg(n + 1);
            return false;
        }
    }
    if (!planned) {
        why = QStringLiteral("its plan is incomplete");
        return false;
    }
    if (journal.ended)
        journal.undecided = journal.plan.size();
    return true;
}

RenameJournal::UndoPlan RenameJournal::undoSteps(const Contents& journal)
{
    UndoPlan undo;
    const bool folderOk = isCleanFolder(journal.folder);
    auto add = [&](const Step& step, bool checked) {
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

namespace
{

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
RenameJournal::UndoReport RenameJournal::undo(FileSystem& fs, Contents& journal, DurableFile* marks)
{
    const UndoPlan plan = undoSteps(journal);
    UndoReport report;
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
        appendNumbered(records, kind, k);
        if (now || records.size() >= PieceBytes || (k % 64 == 0 && sinceFlush.elapsed() >= FlushMs))
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
        const Step& step = plan.steps[i];
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
        const FileRecord& file = journal.states[k];
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

QString RenameJournal::load(FileSystem& fs, const QString& path, Contents& journal, qint64* kept)
{
    QByteArray bytes;
    const int rc = fs.readChunks(path, 1 << 20, [&bytes](const QByteArray& chunk) {
        bytes += chunk;
        return true;
    });
    if (rc != FileErrors::None)
        return QStringLiteral("cannot read the journal %1 (%2)").arg(path, DiskErrors::text(rc));
    if (bytes.startsWith("Quillon undo record\n"))
        return QStringLiteral("%1 is an undo record of an older version, which this version no "
                              "longer reads: only rename journals are undone")
            .arg(path);
    QString why;
    if (!read(bytes, journal, why))
        return QStringLiteral("%1 is not an undo record: %2").arg(path, why);
    if (kept)
        *kept = bytes.lastIndexOf('\n') + 1;
    return QString();
}

RenameJournal::UndoReport RenameJournal::undoFile(FileSystem& fs, const QString& path)
{
    UndoReport report;
    Contents journal;
    qint64 kept = 0;
    report.problem = load(fs, path, journal, &kept);
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
