// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ExcelFile.h"
#include "ListingWriter.h"

// The listing as a spreadsheet through ExcelFile, on a file the caller has
// created with ExcelFile::create: page set-up and four Arial fonts, the
// title in row 1, the column headings in row 3 and one row per file from row
// 4 on, every cell a text. The spreadsheet writer swallows its own failures
// (a name over 255 characters leaves its cell out), so error() is always 0.
class XlsListingWriter : public ListingWriter
{
public:
    explicit XlsListingWriter(ExcelFile& sheet);
    void begin(const QString& title) override;
    void row(int number, const QString& date, qint64 size, QStringView name) override;
    void end() override;
    void flush() override { m_sheet.flush(); }
    int error() const override { return 0; }

    // A screen length in pixels as a column width in characters: twips / 120,
    // rounded half to even. The widths are those of a 96 DPI screen (15 twips
    // a pixel) whatever screen the listing is made on, since the file is read
    // on other machines.
    static int widthInCharacters(int pixels);

private:
    void textCell(int font, int alignment, int hiddenLocked, int column, const QString& text);

    ExcelFile& m_sheet;
    int m_row = 4;
};
