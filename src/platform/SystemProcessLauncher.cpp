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

// Starts argv[0] (searched in PATH) as a process of its own session that
// nobody waits for: a child forks the program and leaves at once, so the
// program is adopted by init and never lingers as a zombie. The arguments
// are handed over as the exact bytes given. Returns 0, or the errno of the
// failed start (reported through a pipe that a successful exec closes).
int spawnDetached(const QList<QByteArray>& words)
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
        if (::fork() == 0) {
            ::setsid();
            ::execvp(argv[0], argv.data());
            const int error = errno;
            [[maybe_unused]] const ssize_t n = ::write(report[1], &error, sizeof error);
        }
        ::_exit(0);
    }
    ::close(report[1]);
    ::waitpid(child, nullptr, 0);
    int error = 0;
    ssize_t n;
    do
        n = ::read(report[0], &error, sizeof error);
    while (n < 0 && errno == EINTR);
    ::close(report[0]);
    return n == ssize_t(sizeof error) ? error : 0;
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

int SystemProcessLauncher::start(const QStringList& arguments, WindowState)
{
    if (arguments.isEmpty() || arguments.first().isEmpty())
        return FileErrors::FileNotFound;
    QStringList words = arguments;
    if (isCommandProcessor(words.first()))
        words = terminal() + words.mid(1);
    // Names that are not UTF-8 keep their bytes (FileNameCodec) and reach the
    // program exactly as they are on disk.
    QList<QByteArray> bytes;
    for (const QString& word : std::as_const(words)) {
        bytes << FileNameCodec::encode(word);
        if (bytes.last().contains('\0'))
            return FileErrors::PathAccess;
    }
    const int error = spawnDetached(bytes);
    if (error == 0)
        return FileErrors::None;
    if (error == ENOENT || error == ENOTDIR || error == EACCES)
        return FileErrors::FileNotFound;
    return FileErrors::fromErrno(error, FileErrors::Operation::Other);
}
