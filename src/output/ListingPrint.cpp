// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ListingPrint.h"

#include "platform/BusyPointer.h"

ListingPrint::Columns ListingPrint::columnsFor(double pageWidth)
{
    Columns c;
    c.date = pageWidth * 0.07;
    c.size = c.date + pageWidth * 0.2;
    c.name = c.size + 1400;
    return c;
}

QString ListingPrint::numberText(qint64 value)
{
    return (value < 0 ? QString() : QStringLiteral(" ")) + QString::number(value) +
           QLatin1Char(' ');
}

QString ListingPrint::errorText()
{
    return QStringLiteral("Error Occured, Please check your printer.");
}

bool ListingPrint::printAll(const ListingSource& source, ListingPrinter& printer, FileSystem& fs)
{
    const Columns c = columnsFor(printer.pageWidth());
    auto at = [&printer](double x, const QString& text) {
        printer.setCurrentX(x);
        printer.print(text);
    };
    printer.setCurrentX(0);
    printer.setBold(true);
    printer.print(source.title());
    printer.newLine();
    printer.newLine();
    at(0, QStringLiteral("No."));
    at(c.date, QStringLiteral("Date/Time"));
    at(c.size, QStringLiteral("Byte Size"));
    at(c.name, QStringLiteral("Filename"));
    printer.newLine();
    printer.newLine();
    printer.setBold(false);

    const FileListModel& model = source.model;
    const int last = qMin(source.fileLast, model.recordCount() - 1);
    for (int position = 0; position <= last && !printer.failed(); ++position) {
        const int record = model.recordAt(position);
        qint64 size = 0;
        if (source.sizeOnDisk(record, fs, size))
            return false;
        at(0, numberText(model.recordNumber(record)));
        at(c.date, model.creationDateText(record));
        at(c.size, numberText(size));
        at(c.name, model.currentNameOf(record).toString());
        printer.newLine();
    }
    if (printer.failed())
        return false;
    printer.endDoc();
    return !printer.failed();
}

bool ListingPrint::print(const ListingSource& source, ListingPrinter* printer, Prompter& prompter,
                         FileSystem& fs)
{
    bool printed = false;
    {
        BusyPointer busy(prompter);
        printed = printer && printAll(source, *printer, fs);
        if (printer && !printed)
            printer->abort();
    }
    if (printed)
        return true;
    prompter.message(errorText());
    return false;
}
