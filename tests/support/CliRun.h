// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/CliApp.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryFile>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

// What quillon-cli said: the exit status, standard output as bytes (names
// that are not UTF-8 stay exact) and as text, and standard error as text.
struct CliRun {
    int status = -1;
    QByteArray outBytes;
    QString out;
    QString err;
};

// The built quillon-cli, or the program named by $QUILLON_CLI_UNDER_TEST to
// try the tests on another build.
inline QString cliProgram()
{
    return qEnvironmentVariable("QUILLON_CLI_UNDER_TEST", QStringLiteral(QUILLON_CLI));
}

// Runs the built program: for the tests where the process itself is the
// point (its exit status, a signal, a kill, its locale or time zone).
inline CliRun
runCliProcess(const QStringList& arguments, const QString& workingDirectory = {},
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

namespace CliRunDetail
{

// Points the descriptor fd at another file until destroyed.
class Redirect
{
public:
    Redirect(int fd, int to) : m_fd(fd), m_saved(::dup(fd)) { ::dup2(to, fd); }
    ~Redirect()
    {
        ::dup2(m_saved, m_fd);
        ::close(m_saved);
    }
    Redirect(const Redirect&) = delete;
    Redirect& operator=(const Redirect&) = delete;

private:
    int m_fd;
    int m_saved;
};

inline QByteArray readAll(QTemporaryFile& file)
{
    file.seek(0);
    return file.readAll();
}

} // namespace CliRunDetail

// Runs quillon-cli's commands in this process, as its main does, started in
// workingDirectory with its journals kept under stateHome (both: as the test
// runs, when empty). Standard input is empty, as for a script.
inline CliRun runCli(const QStringList& arguments, const QString& workingDirectory = {},
                     const QString& stateHome = {})
{
    if (qEnvironmentVariableIsSet("QUILLON_CLI_UNDER_TEST")) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        if (!stateHome.isEmpty())
            environment.insert(QStringLiteral("XDG_STATE_HOME"), stateHome);
        return runCliProcess(arguments, workingDirectory, environment);
    }
    QTemporaryFile out, err;
    const int nothing = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    if (!out.open() || !err.open() || nothing < 0)
        qFatal("cannot make the files quillon-cli writes to");
    const QString testFolder = QDir::currentPath();
    const bool stateSet = qEnvironmentVariableIsSet("XDG_STATE_HOME");
    const QByteArray testState = qgetenv("XDG_STATE_HOME");
    if (!workingDirectory.isEmpty())
        QDir::setCurrent(workingDirectory);
    if (!stateHome.isEmpty())
        qputenv("XDG_STATE_HOME", stateHome.toLocal8Bit());
    CliRun run;
    fflush(stdout);
    fflush(stderr);
    {
        const CliRunDetail::Redirect in(STDIN_FILENO, nothing), toOut(STDOUT_FILENO, out.handle()),
            toErr(STDERR_FILENO, err.handle());
        run.status = CliApp().run(QStringList{QStringLiteral("quillon-cli")} + arguments);
        fflush(stdout);
        fflush(stderr);
    }
    ::close(nothing);
    if (stateSet)
        qputenv("XDG_STATE_HOME", testState);
    else
        qunsetenv("XDG_STATE_HOME");
    QDir::setCurrent(testFolder);
    run.outBytes = CliRunDetail::readAll(out);
    run.out = QString::fromUtf8(run.outBytes);
    run.err = QString::fromUtf8(CliRunDetail::readAll(err));
    return run;
}
