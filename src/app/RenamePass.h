// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DateFailures.h"
#include "PassReport.h"
#include "RenameJournal.h"

#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class FileSystem;
class Prompter;
class Session;

// "Start Rename" and "Undo Renaming...".
//
// The pass walks the listed positions in the shown order. For each file it
// writes the pending dates, sets the chosen attributes and renames it from
// the listed folder's current name to its proposed name. Without a plan of
// steps each file is renamed directly and once; a plan (renameFiles with
// steps) may take a file through a temporary name first. A target that is already taken is
// never replaced (the platform's rename refuses to); a target that the
// existence test sees (a normal, read-only or archive file) is skipped
// without a message, so two files whose proposals are each other's names
// both stay as they are. A change of letter case only is always tried.
//
// The pending dates go to every listed file, hidden, system or read-only,
// and change nothing else of it. The files whose dates could not be written
// are named, with the reason, in one message at the end of the pass (the
// first 20 and the count of the others); a file gone since the scan is
// passed over there as its rename is.
//
// Progress goes to status() ("NN% Renamed", the window's
// status label) every 20 files, where the pass also lets pending events run;
// nothing else yields, so a long pass is not slowed by painting.
//
// Failures: the status becomes "Rename Failed", then
// - a rename refused on a read-only medium (code 5): "Cannot Rename
//   Read-only Media";
// - the file is not found (it was deleted after the scan): no message, the
//   pass goes on with the next step of the same file;
// - the target exists in a form the existence test does not see (hidden,
//   system, a folder): "Cannot rename to '<target>' because that filename
//   aready exists...", then "Read-Only media or file name conflict Error
//   occured.";
// - anything else (a name too long for the file system, a name that cannot
//   be a file name, a refused attribute change): "Read-Only media or file
//   name conflict Error occured.".
// The last message of each asks through Prompter::failure: Retry tries the
// step again, Skip goes on with the next file, Stop ends the pass.
//
// A prompter that answers in advance (quillon-cli --on-failure retry) has a
// retry limit: past it the pass says so and stops as Stop does.
//
// The journal: every pass of the window writes one (see RenameJournal and
// JournalFolder) before its first rename; quillon-cli passes its own. When
// the pass writes dates or attributes, every listed file's state is
// recorded (and synced) first; the steps are recorded as they complete, so
// the pass can be undone after a crash. A record that cannot be written
// stops the pass before its next change (the failure box; Retry writes it
// again). A window whose journal file cannot be written at all says so and
// keeps the same journal in memory: Ctrl+Z works while the window stays
// open, and a person who cannot write to their own state folder should not
// lose the program over it.
//
// The percentage is the whole part of i / last * 100 after position i, last
// being the highest listed position.
// A list of one file shows "100% Renamed": after its only file the pass is
// done, and there is no other figure that means anything.
class RenamePass : public QObject
{
    Q_OBJECT
public:
    enum class Outcome { Completed, Stopped };

    explicit RenamePass(Session& session, QObject* parent = nullptr);

    // The whole button: the pass, then the type box text and the rescan.
    // attributeValue comes from AttributeChoice::renameValue() read when the
    // button is clicked; -1 leaves attributes alone.
    Outcome renameAndRescan(int attributeValue);
    // The pass alone (for quillon-cli, which needs no rescan): ends with
    // "Renaming Completed" unless stopped.
    Outcome renameFiles(int attributeValue);
    // The same with the renames done as the steps of a plan (quillon-cli
    // --cycles, see RenameCyclePlanner): dates and attributes are written
    // for every position first, then each step is renamed in the plan's
    // order with the same failure handling as a file's rename. The journal
    // (begun with these steps as its plan) records each step by its index.
    // A step whose source an earlier step failed to bring is passed over,
    // so a file that took a planned temporary name meanwhile is never moved.
    Outcome renameFiles(int attributeValue, const QList<RenameJournal::Step>& steps);
    // The pass over a copy of the disk kept in memory (DryRunFileSystem):
    // the same rules, nothing changed, every failure skipped. Tells per list
    // position whether the pass would rename that file.
    QList<bool> dryRun(int attributeValue);
    // Begins journal at path with the pass's plan: every listed file's
    // current and new name, in the order shown.
    int beginJournal(RenameJournal& journal, const QString& path) const;
    // The journal the next renameFiles() records into (begun by the caller
    // with beginJournal()); nullptr for none. renameAndRescan keeps its own.
    void setJournal(RenameJournal* journal) { m_journal = journal; }

    // The menu entry: undoes the window's last pass from its journal, as
    // quillon-cli undo does (RenameJournal::undo), names in one message what
    // it could not undo, then rescans; the status says "Renaming Undone", or
    // nothing after an undo that could not finish. Does nothing while the entry is
    // disabled or while a pass is running. The entry stays enabled after an
    // undo that could not finish, for the rest.
    void undoLastPass();
    // An undo's problems as one message: at most 20 lines.
    static QString undoProblems(const RenameJournal::UndoReport& report);

    bool isRunning() const { return m_running; }
    // What the last pass did; a pass that left any file under its name ends
    // with its summary (PassReport::summary) as a message, naming the first
    // `limit` files (-1: all, as quillon-cli does).
    const PassReport& report() const { return m_report; }
    void setReportLimit(int limit) { m_reportLimit = limit; }

    static QString progressText(int position, int fileLast);
    static QString completedText() { return QStringLiteral("Renaming Completed"); }
    static QString failedText() { return QStringLiteral("Rename Failed"); }
    static QString undoneText() { return QStringLiteral("Renaming Undone"); }

signals:
    void status(const QString& text);      // the status label
    void runningChanged(bool running);     // Start Rename is disabled while true
    void typeBoxText(const QString& text); // the text the type box shows after a pass

private:
    enum class Next { Retry, NextStep, NextFile, Stop };
    Outcome pass(int attributeValue);
    // Dates, attributes and rename of one file: sourcePath and targetPath are the full paths
    // of source and target, the names.
    Next treatFile(const QString& source, const QString& sourcePath, const QString& target,
                   const QString& targetPath, int attributeValue, bool keepState);
    Next renameFile(const QString& source, const QString& sourcePath, const QString& target,
                    const QString& targetPath);
    std::optional<Next> renameCaseOnly(const QString& source, const QString& sourcePath,
                                       const QString& target, const QString& targetPath);
    Outcome renameSteps();
    bool recordStates(int attributeValue);
    bool journalStops();
    Next failed(int code, const QString& source, const QString& reason, const QString& targetPath);
    void countNotReached(int from);
    void showReport();
    void recordStep(int position, const QString& source, const QString& target);
    void setRunning(bool running);
    FileSystem& fs();
    Prompter& prompter();

    Session& m_session;
    bool m_running = false;
    bool m_listReplaced = false;
    bool m_renamed = false; // the file treated last was renamed
    int m_retries = 0;      // retries of the step under way
    RenameJournal* m_journal = nullptr;
    PassReport m_report;
    int m_reportLimit = 20;
    QString m_viaTemporary;          // the temporary name of the case-only rename just done
    bool m_toTemporary = false;      // the step under way renames to a temporary name
    FileSystem* m_fs = nullptr;      // the dry run's, else the session's
    Prompter* m_prompter = nullptr;  // likewise
    QList<bool>* m_dryRun = nullptr; // renamed per position, during a dry run
    const QList<RenameJournal::Step>* m_steps = nullptr; // the plan of --cycles
    DateFailures m_dateFailures;
    QSet<int> m_keepState; // positions whose state could not be recorded
    QString m_undoJournal; // the window's last pass's journal
    std::unique_ptr<RenameJournal::Contents> m_undoInMemory; // or that journal in memory
};
