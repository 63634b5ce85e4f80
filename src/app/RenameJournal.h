// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/DurableFile.h"
#include "platform/FileSystem.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

// The journal of one rename pass: the plan, written before the first rename,
// the state of every file whose dates or attributes the pass changes, and
// every step as it completes, so that the pass can be undone after the pass,
// after the program was closed, and after a kill or a power loss at any
// moment. The window and quillon-cli write the same journal, and undo it
// through the same undo().
//
// Writing (one object per pass):
//   begin(path, folder, plan)  writes the whole plan atomically (temporary
//                              file, sync, rename over path, sync of the
//                              folder); nothing may be renamed before it
//                              returns 0.
//   beginInMemory(...)         the same plan kept in memory instead, for a
//                              window whose journal file cannot be written
//                              (takeContents() hands it over after the pass).
//   was(name, state)           a file's dates, mode and DOSATTRIB before the
//                              pass changes any of them; sync() makes the
//                              states durable before the first change.
//   before(i)                  step i is about to run.
//   done(i)                    step i of the plan was renamed.
//   doneExtra(from, to)        a rename that is not in the plan (a list
//                              changed during the pass).
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
// A record that cannot be written (a full disk) sets error(); the pass asks
// and stops before its next rename, or retry() writes the records again.
// finish() writes no end record after such a failure, so the steps after
// the last record written are looked for on the disk.
//
// Reading and undoing (done by JournalReader and JournalUndo):
//   read(bytes, journal, why)  parses a journal.
//   undoSteps(journal)         what an undo renames, newest first, and the
//                              pairs it refuses: only plain names inside the
//                              journal's one folder ("/", "..", "." or an
//                              empty name are refused, by name).
//   undo(fs, journal, marks)   renames those back, never replacing a file
//                              nor renaming a folder, then puts back every
//                              recorded state; each step undone is appended
//                              to marks (the journal file), so a later undo
//                              does only the rest, and "undone" once every
//                              step was undone.
//   undoFile(fs, path)         the same for the journal at path.
//
// The text: a header line, "folder<TAB>F", "started<TAB>ISO time",
// "step<TAB>old<TAB>new" per planned step ("then" instead of "step" for
// fromEarlierStep), "planned<TAB>N", then appended
// "was<TAB>name<TAB>modified<TAB>created<TAB>mode<TAB>dosattrib" per file
// (times as seconds.nanoseconds since 1970 UTC, created being the creation
// time the DOSATTRIB value holds, shown for the reader, or "-"; the mode in
// octal; the DOSATTRIB value in hex, "-" for none),
// "done<TAB>i", "extra<TAB>old<TAB>new", "reached<TAB>i" and finally
// "finished" or "stopped". An undo appends "back<TAB>k" per step k of
// undoSteps() it renamed back, "restored<TAB>k" per state k it put back,
// and "undone" once all are (a second undo would replay a cycle's
// temporary step). Names are escaped as in quillon-cli's listings
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

    // A file's state before the pass changed it.
    struct FileRecord {
        QString name; // before the pass
        FileSystem::FileState state;
    };

    // What a journal on disk says.
    struct Contents {
        QString folder; // ends in "/"
        QDateTime started;
        QList<Step> plan;
        QList<Step> performed;      // renames recorded, in the pass's order
        QList<qsizetype> doneSteps; // plan indexes among them
        QList<FileRecord> states;
        QSet<qsizetype> backSteps; // of undoSteps(), renamed back by an undo
        QSet<qsizetype> restored;  // of states, put back by an undo
        qsizetype undecided = 0;   // plan index of the first step not recorded
        bool ended = false;        // "finished" or "stopped" was written
        bool completed = false;    // "finished": the pass went through its whole plan
        bool undone = false;       // an undo brought every name and state back
        qsizetype renamedCount() const { return performed.size(); }
    };

    struct UndoPlan {
        QList<Step> steps;   // from = the name now, to = the name to restore
        QList<bool> checked; // per step: rename only if to is gone and from is there
        QStringList refused; // "from -> to" texts of pairs that are not plain names
    };

    struct UndoReport {
        QString problem; // the journal could not be read, or was undone already
        QString folder;
        int renamed = 0;
        QStringList refused; // pairs that are not names inside the folder
        QStringList left;    // what stays as the pass left it, and why
        bool complete() const { return problem.isEmpty() && refused.isEmpty() && left.isEmpty(); }
        // One text per problem, for a message box or standard error.
        QStringList messages() const;
    };

    static constexpr int FlushMs = 100;
    static constexpr int SyncMs = 5000;
    // The records are appended in pieces of at most about this size.
    static constexpr qsizetype PieceBytes = 256 * 1024;

    RenameJournal();
    ~RenameJournal();

    int begin(const QString& path, const QString& folder, const QList<Step>& plan);
    // The same with the plan's count steps handed over one by one by
    // stepAt(0) to stepAt(count - 1), so that a long list is not copied.
    int begin(const QString& path, const QString& folder, qsizetype count,
              const std::function<Step(qsizetype)>& stepAt);
    void beginInMemory(const QString& folder, qsizetype count,
                       const std::function<Step(qsizetype)>& stepAt);
    void was(const QString& name, const FileSystem::FileState& state);
    int sync();
    void before(qsizetype index);
    void done(qsizetype index);
    void doneExtra(const QString& from, const QString& to);
    void reached(qsizetype index);
    int finish(bool completed);
    int error() const { return m_error; }
    int retry();
    const QString& path() const { return m_path; }
    bool isOpen() const { return m_file.isOpen() || m_memory; }
    // Whether step index of the plan renames from to to.
    bool isPlanned(qsizetype index, const QString& from, const QString& to) const;
    // The journal kept in memory (beginInMemory), now the caller's.
    std::unique_ptr<Contents> takeContents() { return std::move(m_memory); }

    static QByteArray header(); // the first line, without line end
    static bool read(const QByteArray& bytes, Contents& journal, QString& why);
    static UndoPlan undoSteps(const Contents& journal);
    static UndoReport undo(FileSystem& fs, Contents& journal, DurableFile* marks);
    static UndoReport undoFile(FileSystem& fs, const QString& path);
    // Reads the journal at path; the problem in words, or "" when it was read.
    // kept: the bytes up to its last line end (a crash may cut the last line).
    static QString load(FileSystem& fs, const QString& path, Contents& journal,
                        qint64* kept = nullptr);

private:
    void flush(bool force);
    void planStep(qsizetype i, const Step& step);

    DurableFile m_file;
    QString m_path;
    std::unique_ptr<Contents> m_memory;
    std::vector<quint64> m_stepHashes; // of each planned step's names
    std::vector<bool> m_fromEarlierStep;
    QByteArray m_pending; // records not yet appended
    qsizetype m_reached = -1;
    qsizetype m_written = -1;
    QElapsedTimer m_sinceFlush;
    QElapsedTimer m_sinceSync;
    int m_calls = 0;
    int m_error = 0;
};
