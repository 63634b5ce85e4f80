// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// Runs the built quillon-cli (QUILLON_CLI, or the program named by
// $QUILLON_CLI_UNDER_TEST, to try the tests on another build) and keeps what it said: the exit
// status, standard output as bytes (names that are not UTF-8 stay exact) and
// as text, and standard error as text.
struct CliRun {
    int status = -1;
    QByteArray outBytes;
    QString out;
    QString err;
};

inline QString cliProgram()
{
    return qEnvironmentVariable("QUILLON_CLI_UNDER_TEST", QStringLiteral(QUILLON_CLI));
}

inline CliRun
runCli(const QStringList& arguments, const QString& workingDirectory = {},
       const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
{
    QProcess p;
    p.setProcessEnvironment(environment);
    if (!workingDirectory.isEmpty())
        p.setWorkingDirectory(workingDirectory);
    p.start(cliProgram(), arguments);
    p.closeWriteChannel();
    p.waitForFinished(60000);
    CliRun run;
    run.status = p.exitCode();
    run.outBytes = p.readAllStandardOutput();
    run.out = QString::fromUtf8(run.outBytes);
    run.err = QString::fromUtf8(p.readAllStandardError());
    return run;
}
