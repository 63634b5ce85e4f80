// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SystemProcessLauncher.h"

#include "FileErrors.h"
#include "FileNameCodec.h"

#include <QStandardPaths>

#include <cerrno>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace
{

// Starts argv[0] (searched in PATH) with the exact bytes given. Detached, it
// is a process of its own session that nobody waits for: a child forks the
// program and leaves at once, so the program is adopted by init and never
// lingers as a zombie. Otherwise the program is waited for, and its exit
// status kept. It starts in folder unless that is empty. Returns 0, or the
// errno of the failed start (reported through a pipe that a successful exec
// closes).
int spawn(const QList<QByteArray>& words, const QByteArray& folder, bool detached, int& exitStatus)
{
    std::vector<char*> argv;
    for (const QByteArray& w : words)
        argv.push_back(const_cast<char*>(w.constData()));
    argv.push_back(nullptr);
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0)
        return errno;
    const pid_t child = ::fork();
    if (child < 0) {
        const int error = errno;
        ::close(report[0]);
        ::close(report[1]);
        return error;
    }
    if (child == 0) {
        ::close(report[0]);
        if (!folder.isEmpty() && ::chdir(folder.constData()) != 0) {
            const int error = errno;
            [[maybe_unused]] const ssize_t n = ::write(report[1], &error, sizeof error);
            ::_exit(127);
        }
        if (!detached || ::fork() == 0) {
            if (detached)
                ::setsid();
            ::execvp(argv[0], argv.data());
            const int error = errno;
            [[maybe_unused]] const ssize_t n = ::write(report[1], &error, sizeof error);
        }
        ::_exit(detached ? 0 : 127);
    }
    ::close(report[1]);
    int error = 0;
    ssize_t n;
    do
        n = ::read(report[0], &error, sizeof error);
    while (n < 0 && errno == EINTR);
    ::close(report[0]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    exitStatus = WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
    return n == ssize_t(sizeof error) ? error : 0;
}

// The words as bytes, the command processor standing for the terminal; a
// file error code when a word cannot be handed over.
int programWords(const QStringList& arguments, QList<QByteArray>& bytes)
{
    if (arguments.isEmpty() || arguments.first().isEmpty())
        return FileErrors::FileNotFound;
    QStringList words = arguments;
    if (SystemProcessLauncher::isCommandProcessor(words.first()))
        words = SystemProcessLauncher::terminal() + words.mid(1);
    // Names that are not UTF-8 keep their bytes (FileNameCodec) and reach the
    // program exactly as they are on disk.
    for (const QString& word : std::as_const(words)) {
        bytes << FileNameCodec::encode(word);
        if (bytes.last().contains('\0'))
            return FileErrors::PathAccess;
    }
    return FileErrors::None;
}

int startError(int error)
{
    if (error == 0)
        return FileErrors::None;
    if (error == ENOENT || error == ENOTDIR || error == EACCES)
        return FileErrors::FileNotFound;
    return FileErrors::fromErrno(error, FileErrors::Operation::Other);
}

} // namespace

QStringList SystemProcessLauncher::terminal()
{
    const QStringList own = ProcessLauncher::split(qEnvironmentVariable("TERMINAL"));
    if (!own.isEmpty())
        return own;
    if (!QStandardPaths::findExecutable(QStringLiteral("x-terminal-emulator")).isEmpty())
        return {QStringLiteral("x-terminal-emulator")};
    return {QStringLiteral("xterm")};
}

bool SystemProcessLauncher::isCommandProcessor(const QString& program)
{
    return program.compare(QLatin1String("cmd"), Qt::CaseInsensitive) == 0 ||
           program.compare(QLatin1String("cmd.exe"), Qt::CaseInsensitive) == 0;
}

int SystemProcessLauncher::start(const QStringList& arguments, WindowState, const QString& folder)
{
    QList<QByteArray> bytes;
    if (const int rc = programWords(arguments, bytes))
        return rc;
    int exitStatus = 0;
    return startError(spawn(bytes, FileNameCodec::encode(folder), true, exitStatus));
}

int SystemProcessLauncher::run(const QStringList& arguments, const QString& folder, int& exitStatus)
{
    exitStatus = 0;
    QList<QByteArray> bytes;
    if (const int rc = programWords(arguments, bytes))
        return rc;
    return startError(spawn(bytes, FileNameCodec::encode(folder), false, exitStatus));
}
