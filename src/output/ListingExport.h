// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ListingSource.h"
#include "ListingWriter.h"
#include "platform/FileSystem.h"
#include "platform/Prompter.h"

#include <QString>

// "Save Directory...": the listing written as comma-separated text, a
// rich-text document or a spreadsheet (XLS, or XLSX with every character of
// the names). The save dialog and quillon-cli both call save with the name
// and type the user chose.
//
// Rows come in the shown order, each with the number it got at the scan, its
// creation date, its size read from disk now and its name. The first error
// (the file cannot be created or written, the disk is full, a listed file is
// gone) stops the export with the message of DiskErrors; what was written so
// far stays in the file (an XLSX: a whole workbook of the rows before). The
// XLS writer swallows its own write errors, so for an XLS only a vanished
// file stops the export with a message; an XLS that could not be created or
// written completely makes save return false without one.
class ListingExport
{
public:
    enum class Type { Csv, Rtf, Xls, Xlsx };

    // "csv", "rtf", "xls" or "xlsx", letter case ignored; any other text is
    // an XLS, the spreadsheet type the program always wrote.
    static Type typeOf(const QString& text);
    static QString typeName(Type type);
    // The chosen name with its extension replaced by the type's: list.txt ->
    // list.csv, list -> list.csv, list. -> list.csv. Only the name after the
    // last "/" counts, so a dot in a folder name stays.
    static QString fileNameFor(const QString& chosenName, Type type);

    // Writes the listing to chosenName (after fileNameFor; a bare name goes
    // to the current folder), replacing a file of that name. A read-only file
    // of that name is not touched: the export stops with error 75. An empty
    // name writes nothing. True when the whole listing was written.
    // "Directory " + source.folderText titles the listing.
    static bool save(const ListingSource& source, const QString& chosenName, Type type,
                     Prompter& prompter, FileSystem& fs);
    // The same under exactly the name given, whatever its extension
    // (quillon-cli -o).
    static bool saveAs(const ListingSource& source, const QString& fileName, Type type,
                       Prompter& prompter, FileSystem& fs);

    // Writes the heading, the rows and the end through writer; the file
    // error code of the first failure (a size that cannot be read, a failed
    // write), 0 when all went well.
    static int writeListing(const ListingSource& source, ListingWriter& writer, FileSystem& fs);

private:
    // The types written through a device: CSV, RTF and XLSX.
    static int saveToDevice(const ListingSource& source, const QString& fileName, Type type,
                            FileSystem& fs);
    static int saveSheet(const ListingSource& source, const QString& fileName, FileSystem& fs,
                         bool& complete);
};
