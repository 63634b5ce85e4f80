// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ShredCommand.h"

#include "CliApp.h"
#include "CliOutput.h"

#include "app/Session.h"
#include "app/Shredder.h"
#include "platform/FieldText.h"

#include <optional>

namespace
{

// The list position of the one file --position (its "No.", whatever the
// sort) or --name (its current name) picks; none when no listed file is it.
std::optional<int> pickedPosition(CliApp& app, Session& session)
{
    const QCommandLineParser& options = app.options();
    const FileListModel& model = session.model();
    const bool byNumber = options.isSet(QStringLiteral("position"));
    const int number = options.value(QStringLiteral("position")).toInt();
    const QString name = options.value(QStringLiteral("name"));
    for (int position = 0; position <= session.lastPosition(); ++position) {
        const int record = model.recordAt(position);
        if (byNumber ? model.recordNumber(record) == number : model.currentNameOf(record) == name)
            return position;
    }
    app.prompter().message(
        byNumber ? QStringLiteral("quillon-cli: no listed file has No. %1").arg(number)
                 : QStringLiteral("quillon-cli: no listed file is named %1")
                       .arg(FieldText::escaped(name)));
    return std::nullopt;
}

} // namespace

int ShredCommand::run(CliApp& app, Session& session)
{
    const bool all = app.options().isSet(QStringLiteral("all"));
    std::optional<int> one;
    if (!all && !(one = pickedPosition(app, session)))
        return 1;
    // --dry-run names the files that would be shredded, and shreds none.
    if (app.options().isSet(QStringLiteral("dry-run"))) {
        const FileListModel& model = session.model();
        for (int position = all ? 0 : *one; position <= (all ? session.lastPosition() : *one);
             ++position)
            CliOutput::out(FieldText::escaped(model.currentNameAt(position)));
        return app.status();
    }
    Shredder shredder(session);
    QObject::connect(&shredder, &Shredder::statusChanged,
                     [](const QString& text) { CliOutput::progress(text); });
    if (all) {
        shredder.shredAllFiles();
        return app.status();
    }
    // As a click on that row would.
    FileListModel& model = session.model();
    model.setCurrent(model.recordAt(*one), *one);
    shredder.rowClicked(*one);
    shredder.shredCurrentFile();
    return app.status();
}
