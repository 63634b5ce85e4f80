#include "CliApp.h"
#include "CliCommands.h"
#include "CliOutput.h"

#include "app/RenamePass.h"
#include "app/Session.h"
#include "app/UndoRecord.h"
#include "platform/FileSystem.h"

int CliCommands::undo(CliApp& app, Session& session)
{
    if (app.options().positionalArguments().size() > 1)
        return app.usageError(QStringLiteral("undo takes no folder, only --undo-file FILE"));
    if (!app.options().isSet(QStringLiteral("undo-file")))
        return app.usageError(QStringLiteral("undo needs --undo-file FILE"));
    const QString path = app.absolutePath(app.options().value(QStringLiteral("undo-file")));
    FileSystem& fs = session.fs();
    QByteArray bytes;
    const int rc = fs.readChunks(path, 1 << 20, [&bytes](const QByteArray& chunk) {
        bytes += chunk;
        return true;
    });
    if (rc != 0) {
        CliOutput::err(QStringLiteral("quillon-cli: cannot read the undo record ") + path);
        return 2;
    }
    UndoRecord record;
    QString why;
    if (!UndoRecord::fromBytes(bytes, record, why)) {
        CliOutput::err(QStringLiteral("quillon-cli: %1 is not an undo record: %2").arg(path, why));
        return 2;
    }
    RenamePass::undoPairs(fs, record);
    return app.status();
}
