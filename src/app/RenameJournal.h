#pragma once

#include "platform/DurableFile.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class FileSystem;

// The journal of one rename pass: the plan, written before the first rename,
// and every step as it completes, so that the files can be renamed back
// after the pass, after the program was closed, and after a kill or a power
// loss at any moment. The window and quillon-cli write the same journal.
//
// Writing (one object per pass):
//   begin(path, folder, plan)  writes the whole plan atomically (temporary
//                              file, sync, rename over path, sync of the
//                              folder); nothing may be renamed before it
//                              returns 0.
//   before(i)                  step i is about to run.
//   done(i)                    step i of the plan was renamed.
//   doneExtra(from, to)        a rename that is not in the plan (a temporary
//                              name, a list changed during the pass).
//   reached(i)                 every step up to i is decided (renamed or not).
//   finish(completed)          the pass ended; makes everything durable.
// Records are appended; they reach the kernel at least every FlushMs and
// the disk at least every SyncMs (the file system's own commit interval, so
// a pass pays for no commit the file system would not make anyway), so only
// the newest steps can be missing after a crash. Those are found again by looking at the disk,
// newest first: an unrecorded step counts as renamed when its old name is gone and its new name is
// there. That holds for names that existed before the pass. A step whose old name an earlier step
// makes (fromEarlierStep: a temporary name) is synced before it runs, so it counts only when the
// step that made its name is recorded.
//
// Reading:
//   read(bytes, journal, why)  parses a journal, or an undo record of older
//                              versions ("Quillon undo record", full paths).
//   undoSteps(journal)         what an undo renames, newest first, and the
//                              pairs it refuses: only plain names inside the
//                              journal's one folder ("/", "..", "." or an
//                              empty name are refused, by name).
//   undo(fs, journal)          renames those back; never replaces a file and
//                              refuses a pair whose entry is a folder.
//
// The text: a header line, "folder<TAB>F", "started<TAB>ISO time",
// "step<TAB>old<TAB>new" per planned step ("then" instead of "step" for
// fromEarlierStep), "planned<TAB>N", then appended
// "done<TAB>i", "extra<TAB>old<TAB>new", "reached<TAB>i" and finally
// "finished" or "stopped", and "undone" once an undo brought every name back
// (a second undo would replay a cycle's temporary step). Names are escaped as in quillon-cli's
// listings
// (\\ \t \r \n) and keep bytes that are not UTF-8.
class RenameJournal
{
public:
    struct Step {
        QString from; // a name in the folder
        QString to;
        bool fromEarlierStep = false; // from is made by an earlier step of the plan
        bool operator==(const Step&) const = default;
    };

    // What a journal on disk says.
    struct Contents {
        QString folder; // ends in "/"
        QDateTime started;
        QList<Step> plan;
        QList<Step> performed;      // renames recorded, in the pass's order
        QList<qsizetype> doneSteps; // plan indexes among them
        qsizetype undecided = 0;    // plan index of the first step not recorded
        bool ended = false;         // "finished" or "stopped" was written
        bool undone = false;        // an undo brought every name back
        qsizetype renamedCount() const { return performed.size(); }
    };

    struct UndoPlan {
        QList<Step> steps;   // from = the name now, to = the name to restore
        QList<bool> checked; // per step: rename only if to is gone and from is there
        QStringList refused; // "from -> to" texts of pairs that are not plain names
    };

    struct UndoReport {
        int renamed = 0;
        QStringList refused;
    };

    static constexpr int FlushMs = 100;
    static constexpr int SyncMs = 5000;

    ~RenameJournal() { m_file.close(); }

    int begin(const QString& path, const QString& folder, const QList<Step>& plan);
    // The same with the plan's count steps handed over one by one by
    // stepAt(0) to stepAt(count - 1), so that a long list is not copied.
    int begin(const QString& path, const QString& folder, qsizetype count,
              const std::function<Step(qsizetype)>& stepAt);
    void before(qsizetype index);
    void done(qsizetype index);
    void doneExtra(const QString& from, const QString& to);
    void reached(qsizetype index);
    int finish(bool completed);
    bool isOpen() const { return m_file.isOpen(); }
    // Whether step index of the plan renames from to to.
    bool isPlanned(qsizetype index, const QString& from, const QString& to) const;

    static QByteArray header(); // the first line, without line end
    static bool read(const QByteArray& bytes, Contents& journal, QString& why);
    static UndoPlan undoSteps(const Contents& journal);
    static UndoReport undo(FileSystem& fs, const Contents& journal);
    static bool isPlainName(const QString& name);

private:
    void flush(bool force);

    static constexpr qsizetype PieceBytes = 256 * 1024;

    DurableFile m_file;
    std::vector<quint64> m_stepHashes; // of each planned step's names
    std::vector<bool> m_fromEarlierStep;
    QByteArray m_pending; // records not yet appended
    qsizetype m_reached = -1;
    qsizetype m_written = -1;
    QElapsedTimer m_sinceFlush;
    QElapsedTimer m_sinceSync;
    int m_calls = 0;
};
