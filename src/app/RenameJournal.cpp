#include "RenameJournal.h"

#include "UndoRecord.h"
#include "platform/FieldText.h"
#include "platform/FileErrors.h"
#include "platform/FileNameCodec.h"
#include "platform/FileSystem.h"

#include <QDir>
#include <QHash>

#include <charconv>

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

QString pairText(const QString& from, const QString& to)
{
    return FieldText::escaped(from) + QStringLiteral(" -> ") + FieldText::escaped(to);
}

bool isCleanFolder(const QString& folder)
{
    return folder.startsWith(QLatin1Char('/')) && folder.endsWith(QLatin1Char('/')) &&
           (folder == QLatin1String("/") || QDir::cleanPath(folder) + QLatin1Char('/') == folder);
}

// An undo record of older versions: full paths, one pair per listed file,
// renamed or not. Every pair is looked at on the disk as an undecided step.
bool readUndoRecord(const QByteArray& bytes, RenameJournal::Contents& journal, QString& why)
{
    UndoRecord record;
    if (!UndoRecord::fromBytes(bytes, record, why))
        return false;
    journal = {};
    if (record.isEmpty())
        return true;
    const QString first = record.oldPath(0);
    journal.folder = first.left(first.lastIndexOf(QLatin1Char('/')) + 1);
    auto name = [&](const QString& path) {
        return path.startsWith(journal.folder) ? path.mid(journal.folder.size()) : path;
    };
    for (qsizetype i = 0; i < record.count(); ++i)
        journal.plan.append({name(record.oldPath(i)), name(record.newPath(i))});
    return true;
}

} // namespace

QByteArray RenameJournal::header()
{
    return QByteArrayLiteral("Quillon rename journal");
}

bool RenameJournal::isPlainName(const QString& name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") &&
           !name.contains(QLatin1Char('/')) && !name.contains(QChar(0));
}

int RenameJournal::begin(const QString& path, const QString& folder, const QList<Step>& plan)
{
    return begin(path, folder, plan.size(), [&plan](qsizetype i) { return plan[i]; });
}

// The plan goes to the disk in pieces of PieceBytes from one buffer, each
// piece's writeback starting while the next is built: a plan of a million
// steps never lies in memory whole, neither as steps nor as text.
int RenameJournal::begin(const QString& path, const QString& folder, qsizetype count,
                         const std::function<Step(qsizetype)>& stepAt)
{
    m_reached = m_written = -1;
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
        m_stepHashes[size_t(i)] = stepHash(step.from, step.to);
        m_fromEarlierStep[size_t(i)] = step.fromEarlierStep;
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

bool RenameJournal::isPlanned(qsizetype index, const QString& from, const QString& to) const
{
    return index >= 0 && size_t(index) < m_stepHashes.size() &&
           m_stepHashes[size_t(index)] == stepHash(from, to);
}

void RenameJournal::before(qsizetype index)
{
    if (index >= 0 && size_t(index) < m_fromEarlierStep.size() && m_fromEarlierStep[size_t(index)])
        flush(true);
}

void RenameJournal::done(qsizetype index)
{
    appendNumbered(m_pending, "done", index);
}

void RenameJournal::doneExtra(const QString& from, const QString& to)
{
    // Not in the plan, so nothing could find it again: on disk at once.
    appendStep(m_pending, "extra", from, to);
    flush(true);
}

void RenameJournal::reached(qsizetype index)
{
    m_reached = index;
    // Looking at the clock costs little, but not nothing: every 64 steps.
    if (++m_calls % 64 == 0)
        flush(false);
}

void RenameJournal::flush(bool force)
{
    if (!m_file.isOpen())
        return;
    if (!force && m_sinceFlush.elapsed() < FlushMs)
        return;
    if (m_reached > m_written) {
        appendNumbered(m_pending, "reached", m_reached);
        m_written = m_reached;
    }
    if (!m_pending.isEmpty())
        m_file.append(m_pending);
    m_pending.resize(0); // keeps its room for the next records
    m_sinceFlush.start();
    if (force || m_sinceSync.elapsed() >= SyncMs) {
        m_file.sync();
        m_sinceSync.start();
    }
}

int RenameJournal::finish(bool completed)
{
    if (!m_file.isOpen())
        return 0;
    flush(true);
    m_pending = completed ? "finished\n" : "stopped\n";
    int rc = m_file.append(m_pending);
    if (rc == 0)
        rc = m_file.sync();
    m_pending.clear();
    m_file.close();
    return rc;
}

bool RenameJournal::read(const QByteArray& bytes, Contents& journal, QString& why)
{
    if (bytes.startsWith(UndoRecord::header()))
        return readUndoRecord(bytes, journal, why);
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
        } else if (kind == QLatin1String("undone") && f.size() == 1 && planned) {
            journal.undone = true;
        } else if ((kind == QLatin1String("finished") || kind == QLatin1String("stopped")) &&
                   f.size() == 1) {
            journal.ended = true;
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
        if (!folderOk || !isPlainName(step.from) || !isPlainName(step.to)) {
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

RenameJournal::UndoReport RenameJournal::undo(FileSystem& fs, const Contents& journal)
{
    const UndoPlan plan = undoSteps(journal);
    UndoReport report;
    report.refused = plan.refused;
    for (qsizetype i = 0; i < plan.steps.size(); ++i) {
        const QString now = journal.folder + plan.steps[i].from;
        const QString back = journal.folder + plan.steps[i].to;
        FileSystem::Entry entry, there;
        if (fs.stat(now, entry) != 0)
            continue;
        if (entry.isFolder) {
            report.refused << pairText(plan.steps[i].to, plan.steps[i].from) +
                                  QStringLiteral(" (a folder)");
            continue;
        }
        // An unrecorded step was renamed when its old name is free.
        if (plan.checked[i] && fs.stat(back, there) == 0)
            continue;
        if (fs.rename(now, back) == 0)
            ++report.renamed;
    }
    return report;
}
