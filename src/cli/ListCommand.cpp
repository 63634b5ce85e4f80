#include "CliApp.h"
#include "CliCommands.h"
#include "CliOutput.h"

#include "app/Session.h"

namespace
{

// One line per list position, in the shown order, tab-separated.
void printRows(const Session& session)
{
    using CliOutput::escapeField;
    CliOutput::out(QStringLiteral("No.\tCreation Dates\tModified Dates\tCurrent Filenames\t"
                                  "New Filenames\tSize"));
    const FileListModel& model = session.model();
    QString line;
    for (int position = 0; position <= session.FileLast; ++position) {
        const int r = model.recordAt(position);
        line = QString::number(model.GetContentNo(r));
        for (const QString& field :
             {model.dateText1(r), model.dateText2(r), model.sourceNameOf(r).toString(),
              model.desNameOf(r), model.sizeText(r).toString()}) {
            line += QLatin1Char('\t');
            line += escapeField(field);
        }
        CliOutput::out(line);
    }
}

} // namespace

int CliCommands::list(CliApp& app, Session& session)
{
    printRows(session);
    return app.status();
}
