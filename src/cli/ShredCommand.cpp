#include "CliApp.h"
#include "CliCommands.h"
#include "CliOutput.h"

#include "app/Session.h"
#include "app/Shredder.h"

int CliCommands::shred(CliApp& app, Session& session)
{
    const QCommandLineParser& options = app.options();
    const bool all = options.isSet(QStringLiteral("all"));
    const bool one = options.isSet(QStringLiteral("position"));
    if (all == one)
        return app.usageError(QStringLiteral("shred needs either --all or --position N"));
    if (!options.isSet(QStringLiteral("yes")))
        return app.usageError(
            QStringLiteral("shred overwrites and deletes files for good: add --yes to go ahead"));

    Shredder shredder(session);
    QObject::connect(&shredder, &Shredder::statusChanged,
                     [](const QString& text) { CliOutput::out(text); });
    if (all) {
        shredder.shredAllFiles();
        return app.status();
    }
    bool ok = false;
    const int row = options.value(QStringLiteral("position")).toInt(&ok);
    if (!ok || row < 1 || row - 1 > session.lastPosition())
        return app.usageError(QStringLiteral("no listed file at position %1")
                                  .arg(options.value(QStringLiteral("position"))));
    // As a click on that row would.
    FileListModel& model = session.model();
    model.setCurrent(model.recordAt(row - 1), row - 1);
    shredder.rowClicked(row - 1);
    shredder.shredCurrentFile();
    return app.status();
}
