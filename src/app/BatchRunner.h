// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/ProcessLauncher.h"

#include <QObject>
#include <QString>
#include <QStringList>

class Session;

// The batch command line of the main window: one line (commandLine) run once for
// every listed file, with "Sourcefiles$" standing for the file's full path and
// "Destnames$" for its proposed new name.
//
// The line picks one of three modes:
// - internal, when it holds "Filecopy", "Delete" or "SetFileAttributes"
//   anywhere: the program copies, deletes (wildcards allowed) or sets the
//   attributes itself;
// - per file, when it holds a placeholder: the line is started as a program
//   once per file (minimised);
// - single: the line is started once (normal window).
// The first failure stops the batch with "Executable command not found..."
// (nothing to start, or a file that is not there) or "Drive, File, Admin,
// Command Error Encountered..." (anything else); files before it stay done.
//
// Nothing is deleted or overwritten unasked: before an internal line that
// deletes, or copies onto names that are taken, one question says what will
// happen ("Delete 120 files in /path/?"), and No runs nothing. Filecopy
// never replaces a file nor writes through a link: such a file is skipped,
// and the skipped ones are named at the end.
//
// The window shows commandLine and history in its drop-down box, the line being run in a label
// and disables Execute while executeEnabledChanged(false) holds.
class BatchRunner : public QObject
{
    Q_OBJECT
public:
    enum class Mode { Internal, PerFile, Single };

    BatchRunner(Session& session, ProcessLauncher& launcher, QObject* parent = nullptr);

    QString commandLine; // the line as typed
    QStringList history; // earlier lines, oldest first

    static QString initialText(); // copies every file into the temp folder
    static QStringList initialList();
    static Mode modeFor(const QString& line);

    // Execute: runs commandLine for every listed file. attributeValue is what
    // SetFileAttributes sets: the sum of the checked Readonly (1), Hidden (2)
    // and System (4) boxes. False when nothing ran (the question was answered
    // No, or a batch is running).
    bool runForEveryFile(int attributeValue);
    // CMD: opens the user's terminal in the listed folder.
    void openTerminal();

    static QString messageFor(int error);

signals:
    void lineShown(const QString& line);
    void executeEnabledChanged(bool enabled);
    void lineAppended(const QString& line); // history grew by this line

private:
    // Text with the placeholders put in, once as it reads and once as a
    // wildcard pattern in which every put-in name matches only itself.
    struct Filled {
        QString text;
        QString pattern;
    };
    Filled fill(QStringView text, int position) const;
    Filled inListedFolder(Filled word) const;
    QString question(const QStringList& words) const;
    QString notCopiedMessage() const;
    int runInternal(const QString& line, int attributeValue);
    int runPerFile(const QString& line);
    int internalCommand(const QList<Filled>& words, int attributeValue);
    void show(const QString& line);

    Session& m_session;
    ProcessLauncher& m_launcher;
    bool m_running = false;
    QStringList m_notCopied; // targets a Filecopy found taken
};
