#include "CliApp.h"
#include "CliCommands.h"
#include "CliOutput.h"

#include "app/Session.h"
#include "output/ListingExport.h"
#include "platform/FieldText.h"

namespace
{

// One line per list position, in the shown order, tab-separated.
void printRows(const Session& session)
{
    CliOutput::out(QStringLiteral("No.\tCreation Dates\tModified Dates\tCurrent Filenames\t"
                                  "New Filenames\tSize"));
    const FileListModel& model = session.model();
    QString line;
    for (int position = 0; position <= session.lastPosition(); ++position) {
        const int r = model.recordAt(position);
        line = QString::number(model.recordNumber(r));
        for (const QString& field : {model.creationDateText(r), model.modifiedDateText(r),
                                     model.currentNameOf(r).toString(), model.newNameOf(r),
                                     model.sizeText(r).toString()}) {
            line += QLatin1Char('\t');
            line += FieldText::escaped(field);
        }
        CliOutput::out(line);
    }
}

// --format csv|rtf|xls -o FILE: the listing written as "Save Directory..."
// writes it; FILE gets the format's extension.
int saveListing(CliApp& app, Session& session, const QString& format)
{
    const QString output = app.options().value(QStringLiteral("output"));
    if (output.isEmpty())
        return app.usageError(QStringLiteral("--format %1 needs -o FILE").arg(format));
    const auto type = ListingExport::typeOf(format);
    const ListingSource source{session.model(), session.lastPosition(), session.folderPath(),
                               session.folder()};
    const QString file = app.absolutePath(output);
    const bool done = ListingExport::save(source, file, type, app.prompter(), session.fs());
    // A spreadsheet that could not be written shows no message in the window;
    // here the exit status and one line say so.
    if (!done && !app.status())
        CliOutput::err(QStringLiteral("quillon-cli: %1 was not written completely")
                           .arg(ListingExport::fileNameFor(file, type)));
    return done ? app.status() : 1;
}

} // namespace

int CliCommands::list(CliApp& app, Session& session)
{
    const QString format = app.options().value(QStringLiteral("format")).toLower();
    if (format.isEmpty() || format == QLatin1String("tsv")) {
        printRows(session);
        return app.status();
    }
    if (format != QLatin1String("csv") && format != QLatin1String("rtf") &&
        format != QLatin1String("xls"))
        return app.usageError(QStringLiteral("unknown format \"%1\"").arg(format));
    return saveListing(app, session, format);
}
