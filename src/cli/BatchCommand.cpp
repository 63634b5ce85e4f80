#include "CliApp.h"
#include "CliCommands.h"
#include "CliOutput.h"

#include "app/BatchRunner.h"
#include "app/Session.h"
#include "platform/FileSystem.h"

#include <optional>

namespace
{

// What SetFileAttributes sets: "R,H,S" as the Readonly, Hidden and System
// boxes, "none" or "normal" for none of them (the default).
std::optional<int> attributeSum(const QString& text)
{
    if (text.isEmpty() || text.compare(QLatin1String("none"), Qt::CaseInsensitive) == 0 ||
        text.compare(QLatin1String("normal"), Qt::CaseInsensitive) == 0)
        return 0;
    int sum = 0;
    for (const QString& letter : text.split(QLatin1Char(','))) {
        const QString l = letter.trimmed().toUpper();
        if (l == QLatin1String("R"))
            sum |= FileSystem::ReadOnly;
        else if (l == QLatin1String("H"))
            sum |= FileSystem::Hidden;
        else if (l == QLatin1String("S"))
            sum |= FileSystem::System;
        else
            return std::nullopt;
    }
    return sum;
}

} // namespace

int CliCommands::batch(CliApp& app, Session& session)
{
    const QCommandLineParser& options = app.options();
    if (!options.isSet(QStringLiteral("command")))
        return app.usageError(QStringLiteral("batch needs --command \"LINE\""));
    const std::optional<int> attributes = attributeSum(options.value(QStringLiteral("attributes")));
    if (!attributes)
        return app.usageError(QStringLiteral("--attributes takes none, normal or R,H,S"));

    BatchRunner runner(session);
    QObject::connect(&runner, &BatchRunner::lineShown,
                     [](const QString& line) { CliOutput::out(line); });
    runner.commandLine = options.value(QStringLiteral("command"));
    runner.runForEveryFile(*attributes);
    // A line that deletes or copies onto taken names needs --yes, as shred does.
    return app.prompter().declined() ? 2 : app.status();
}
