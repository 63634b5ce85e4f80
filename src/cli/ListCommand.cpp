#include "CliApp.h"
#include "CliCommands.h"
#include "CliOutput.h"

#include "app/Session.h"
#include "filelist/ListColumns.h"
#include "output/ListingExport.h"
#include "platform/FieldText.h"

namespace
{

// One line per list position, in the shown order, tab-separated. The lines
// are gathered a few thousand at a time and written in one go: a million
// files make a million lines, and one text and one write per line cost more
// than the rest of the listing.
void printRows(const Session& session)
{
    QStringList captions;
    for (int column = 0; column < ListColumns::Count; ++column)
        captions << ListColumns::caption(column);
    CliOutput::out(captions.join(QLatin1Char('\t')));
    const FileListModel& model = session.model();
    QString lines;
    QString field;
    for (int position = 0; position <= session.lastPosition(); ++position) {
        const int r = model.recordAt(position);
        if (!lines.isEmpty())
            lines += QLatin1Char('\n');
        lines += QString::number(model.recordNumber(r));
        // Dates and sizes are written whole, then escaped like every field.
        for (const FileListModel::Field f : {FileListModel::Date1, FileListModel::Date2}) {
            field.clear();
            model.appendField(field, r, f);
            lines += QLatin1Char('\t');
            FieldText::appendEscaped(lines, field);
        }
        for (const QStringView name : {model.currentNameOf(r), model.newNameView(r)}) {
            lines += QLatin1Char('\t');
            FieldText::appendEscaped(lines, name);
        }
        field.clear();
        model.appendField(field, r, FileListModel::Size);
        lines += QLatin1Char('\t');
        FieldText::appendEscaped(lines, field);
        if (lines.size() >= 64 * 1024) {
            CliOutput::out(lines);
            lines.clear();
        }
    }
    if (!lines.isEmpty())
        CliOutput::out(lines);
}

// --format csv|rtf|xls|xlsx -o FILE: the listing written as "Save Directory..."
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
        format != QLatin1String("xls") && format != QLatin1String("xlsx"))
        return app.usageError(QStringLiteral("unknown format \"%1\"").arg(format));
    return saveListing(app, session, format);
}
