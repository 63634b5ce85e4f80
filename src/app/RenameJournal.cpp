// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "RenameJournal.h"
#include "JournalReader.h"
#include "JournalRecords.h"
#include "JournalUndo.h"
#include "platform/FieldText.h"
#include "platform/FileErrors.h"

namespace
{

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
        JournalRecords::appendStep(text, step.fromEarlierStep ? "then" : "step", step.from,
                                   step.to);
        if (text.size() >= PieceBytes) {
            rc = m_file.add(text);
            text.resize(0);
        }
    }
    JournalRecords::appendNumbered(text, "planned", count);
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
    JournalRecords::appendState(m_pending, name, state);
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
    JournalRecords::appendNumbered(m_pending, "done", index);
}

void RenameJournal::doneExtra(const QString& from, const QString& to)
{
    if (m_memory) {
        m_memory->performed.append({from, to});
        return;
    }
    // Not in the plan, so nothing could find it again: on disk at once.
    JournalRecords::appendStep(m_pending, "extra", from, to);
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
        JournalRecords::appendNumbered(m_pending, "reached", m_reached);
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
    return JournalReader::read(bytes, journal, why);
}

QString RenameJournal::load(FileSystem& fs, const QString& path, Contents& journal, qint64* kept)
{
    return JournalReader::load(fs, path, journal, kept);
}

RenameJournal::UndoPlan RenameJournal::undoSteps(const Contents& journal)
{
    return JournalUndo::steps(journal);
}

RenameJournal::UndoReport RenameJournal::undo(FileSystem& fs, Contents& journal, DurableFile* marks)
{
    return JournalUndo::undo(fs, journal, marks);
}

RenameJournal::UndoReport RenameJournal::undoFile(FileSystem& fs, const QString& path)
{
    return JournalUndo::undoFile(fs, path);
}
