// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "BatchCommand.h"

#include "CliApp.h"
#include "CliOptions.h"
#include "CliOutput.h"
#include "ConsoleLauncher.h"

#include "app/BatchRunner.h"
#include "app/Session.h"

int BatchCommand::run(CliApp& app, Session& session)
{
    const QCommandLineParser& options = app.options();
    const int attributes =
        CliOptions::batchAttributes(options.value(QStringLiteral("attributes"))).value_or(0);
    // Programs run to their end, one file after the other; one that fails
    // is named, and the run's status says so.
    ConsoleLauncher launcher(app.prompter());
    BatchRunner runner(session, launcher);
    QObject::connect(&runner, &BatchRunner::lineShown,
                     [](const QString& line) { CliOutput::out(line); });
    runner.commandLine = options.value(QStringLiteral("command"));
    runner.runForEveryFile(attributes);
    // A line that deletes or copies onto taken names needs --yes, as shred does.
    return app.prompter().declined() ? 2 : app.status();
}
