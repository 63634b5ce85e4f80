// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ListingExport.h"

#include "CsvListingWriter.h"
#include "DiskErrors.h"
#include "ExcelFile.h"
#include "RtfListingWriter.h"
#include "XlsListingWriter.h"
#include "XlsxListingWriter.h"
#include "platform/BusyPointer.h"
#include "platform/FileErrors.h"
#include "platform/FileName.h"

ListingExport::Type ListingExport::typeOf(const QString& text)
{
    if (text.compare(QLatin1String("rtf"), Qt::CaseInsensitive) == 0)
        return Type::Rtf;
    if (text.compare(QLatin1String("csv"), Qt::CaseInsensitive) == 0)
        return Type::Csv;
    if (text.compare(QLatin1String("xlsx"), Qt::CaseInsensitive) == 0)
        return Type::Xlsx;
    return Type::Xls;
}

QString ListingExport::typeName(Type type)
{
    switch (type) {
    case Type::Csv:
        return QStringLiteral("csv");
    case Type::Rtf:
        return QStringLiteral("rtf");
    case Type::Xlsx:
        return QStringLiteral("xlsx");
    case Type::Xls:
        break;
    }
    return QStringLiteral("xls");
}

QString ListingExport::fileNameFor(const QString& chosenName, Type type)
{
    return FileName::stem(chosenName).toString() + QLatin1Char('.') + typeName(type);
}

int ListingExport::writeListing(const ListingSource& source, ListingWriter& writer, FileSystem& fs)
{
    const FileListModel& model = source.model;
    const int last = qMin(source.fileLast, model.recordCount() - 1);
    writer.begin(source.title());
    for (int position = 0; position <= last; ++position) {
        const int record = model.recordAt(position);
        qint64 size = 0;
        if (const int rc = source.sizeOnDisk(record, fs, size)) {
            writer.flush();
            return writer.error() ? writer.error() : rc;
        }
        writer.row(model.recordNumber(record), model.creationDateText(record), size,
                   model.currentNameOf(record));
        if (writer.error())
            return writer.error();
    }
    writer.end();
    return writer.error();
}

int ListingExport::saveToDevice(const ListingSource& source, const QString& fileName, Type type,
                                FileSystem& fs)
{
    int attributes = 0;
    if (fs.attributes(fileName, attributes) == 0 && (attributes & FileSystem::ReadOnly))
        return FileErrors::PathAccess;
    int error = 0;
    const std::unique_ptr<FileDevice> file = fs.openForWriting(fileName, error);
    if (!file)
        return error ? error : int(FileErrors::PathAccess);
    int rc;
    if (type == Type::Rtf) {
        RtfListingWriter writer(*file);
        rc = writeListing(source, writer, fs);
    } else if (type == Type::Xlsx) {
        XlsxListingWriter writer(*file);
        rc = writeListing(source, writer, fs);
    } else {
        CsvListingWriter writer(*file);
        rc = writeListing(source, writer, fs);
    }
    file->close();
    return rc ? rc : file->errorCode();
}

int ListingExport::saveSheet(const ListingSource& source, const QString& fileName, FileSystem& fs,
                             bool& complete)
{
    ExcelFile sheet(fs);
    sheet.create(fileName);
    XlsListingWriter writer(sheet);
    const int rc = writeListing(source, writer, fs);
    complete = sheet.lastError() == 0;
    return rc;
}

bool ListingExport::save(const ListingSource& source, const QString& chosenName, Type type,
                         Prompter& prompter, FileSystem& fs)
{
    return !chosenName.isEmpty() &&
           saveAs(source, fileNameFor(chosenName, type), type, prompter, fs);
}

bool ListingExport::saveAs(const ListingSource& source, const QString& fileName, Type type,
                           Prompter& prompter, FileSystem& fs)
{
    if (fileName.isEmpty())
        return false;
    bool complete = true;
    int rc = 0;
    {
        BusyPointer busy(prompter);
        rc = type == Type::Xls ? saveSheet(source, fileName, fs, complete)
                               : saveToDevice(source, fileName, type, fs);
    }
    // The message shows with the normal pointer, after the busy scope.
    if (rc) {
        DiskErrors::show(rc, prompter, fs);
        return false;
    }
    return complete;
}
