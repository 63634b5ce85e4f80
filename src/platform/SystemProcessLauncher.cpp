#include "SystemProcessLauncher.h"

#include "FileErrors.h"
#include "FileNameCodec.h"

#include <QProcess>
#include <QStandardPaths>

namespace
{

// QProcess hands arguments over as UTF-8. A name that is not UTF-8 reaches us
// with its odd bytes kept as lone surrogates (FileNameCodec); converted, they
// would become "?" and could name another file. Such a name is refused.
bool passesUnchanged(const QString& argument)
{
    return argument.toUtf8() == FileNameCodec::encode(argument);
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
    for (const QString& word : std::as_const(words)) {
        if (!passesUnchanged(word))
            return FileErrors::PathAccess;
    }
    const QString program = words.takeFirst();
    // An empty working folder keeps ours, whatever bytes its name holds.
    if (!QProcess::startDetached(program, words, QString()))
        return FileErrors::FileNotFound;
    return FileErrors::None;
}
