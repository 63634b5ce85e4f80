// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ListCommand.h"

#include "CliApp.h"
#include "CliOptions.h"
#include "CliOutput.h"

#include "app/Session.h"
#include "filelist/ListColumns.h"
#include "output/DiskErrors.h"
#include "output/JsonListing.h"
#include "output/ListingExport.h"
#include "platform/FieldText.h"
#include "platform/FileErrors.h"
#include "platform/FileNameCodec.h"

#include <QDir>
#include <QTemporaryFile>

#include <cstdio>
#include <functional>

namespace
{

// One line per list position, in the shown order, tab-separated. The lines
// are gathered a few thousand at a time and handed on in one go: a million
// files make a million lines, and one text and one write per line cost more
// than the rest of the listing.
void writeRows(const Session& session, const std::function<void(const QString&)>& write)
{
    QStringList captions;
    for (int column = 0; column < ListColumns::Count; ++column)
        captions << ListColumns::caption(column);
    write(captions.join(QLatin1Char('\t')));
    const FileListModel& model = session.model();
    QString lines;
    QString field;
    for (int position = 0; position <= session.lastPosition(); ++position) {
        const int r = model.recordAt(position);
        if (!lines.isEmpty())
            lines += QLatin1Char('\n');
        lines += QString::number(model.recordNumber(r));
        // Dates and sizes are written whole, then escaped like every field.
        for (const FileListModel::Field f : {FileListModel::Created, FileListModel::Modified}) {
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
            write(lines);
            lines.clear();
        }
    }
    if (!lines.isEmpty())
        write(lines);
}

// The rows into a file, through the program's file system.
using RowWriter =
    std::function<void(const FileListModel&, int, const std::function<void(const QString&)>&)>;

bool writeRowsTo(CliApp& app, Session& session, const QString& path, const RowWriter& rows)
{
    FileSystem& fs = session.fs();
    int error = 0;
    const std::unique_ptr<FileDevice> file = fs.openForWriting(path, error);
    if (file) {
        rows(session.model(), session.lastPosition(),
             [&file](const QString& lines) { file->write(FileNameCodec::encode(lines) + '\n'); });
        file->close();
        error = file->errorCode();
    }
    if (!file && !error)
        error = FileErrors::PathAccess;
    if (error)
        DiskErrors::show(error, app.prompter(), fs);
    return !error;
}

// The listing as "Save Directory..." writes it, into the file path.
bool saveListing(CliApp& app, Session& session, const QString& format, const QString& path)
{
    const ListingSource source{session.model(), session.lastPosition(), session.folderPath(),
                               session.folder()};
    return ListingExport::saveAs(source, path, ListingExport::typeOf(format), app.prompter(),
                                 session.fs());
}

// A listing for standard output is written to a temporary file first (the
// spreadsheet writer needs a file), then copied out byte for byte.
bool saveListingToOutput(CliApp& app, Session& session, const QString& format)
{
    QTemporaryFile temporary(QDir::tempPath() + QStringLiteral("/quillon-cli-XXXXXX"));
    if (!temporary.open()) {
        CliOutput::err(QStringLiteral("quillon-cli: cannot write a temporary file in ") +
                       QDir::tempPath());
        return false;
    }
    temporary.close();
    if (!saveListing(app, session, format, temporary.fileName()))
        return false;
    fflush(stdout);
    return session.fs().readChunks(temporary.fileName(), 1 << 20, [](const QByteArray& chunk) {
        return fwrite(chunk.constData(), 1, size_t(chunk.size()), stdout) == size_t(chunk.size());
    }) == 0;
}

// The folder a file is to be written into must be there: named, a missing
// one says more than the disk error it would give.
bool folderThere(Session& session, const QString& path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    const QString folder = slash > 0 ? path.left(slash) : QStringLiteral("/");
    FileSystem::Entry entry;
    if (session.fs().stat(folder, entry) == 0 && entry.isFolder)
        return true;
    CliOutput::err(QStringLiteral("quillon-cli: cannot write %1: there is no folder %2")
                       .arg(FieldText::escaped(path), FieldText::escaped(folder)));
    return false;
}

} // namespace

// -o FILE writes exactly FILE; "-" or no -o is standard output. The format
// is --format, else the extension of FILE when it names one, else tsv.
int ListCommand::run(CliApp& app, Session& session)
{
    const QString format = CliOptions::listFormat(app.options());
    const QString output = app.options().value(QStringLiteral("output"));
    const bool toOutput = output.isEmpty() || output == QLatin1String("-");
    const QString path = toOutput ? QString() : app.absolutePath(output);
    if (!toOutput && !folderThere(session, path))
        return 1;
    bool done = true;
    if (format == QLatin1String("json") && toOutput)
        JsonListing::write(session.model(), session.lastPosition(),
                           [](const QString& lines) { CliOutput::out(lines); });
    else if (format == QLatin1String("json"))
        done = writeRowsTo(app, session, path, JsonListing::write);
    else if (format == QLatin1String("tsv") && toOutput)
        writeRows(session, [](const QString& lines) { CliOutput::out(lines); });
    else if (format == QLatin1String("tsv"))
        done =
            writeRowsTo(app, session, path, [&session](const FileListModel&, int, const auto& w) {
                writeRows(session, w);
            });
    else
        done = toOutput ? saveListingToOutput(app, session, format)
                        : saveListing(app, session, format, path);
    // A spreadsheet that could not be written shows no message in the window;
    // here the exit status and one line say so.
    if (!done && !app.status())
        CliOutput::err(QStringLiteral("quillon-cli: %1 was not written completely")
                           .arg(toOutput ? QStringLiteral("the listing") : path));
    return done ? app.status() : 1;
}
