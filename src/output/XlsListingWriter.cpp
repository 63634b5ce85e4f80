// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "XlsListingWriter.h"

#include <cmath>

XlsListingWriter::XlsListingWriter(ExcelFile& sheet) : m_sheet(sheet) {}

int XlsListingWriter::widthInCharacters(int pixels)
{
    return int(std::lrint(pixels * 15 / 120.0));
}

void XlsListingWriter::textCell(int font, int alignment, int hiddenLocked, int column,
                                const QString& text)
{
    m_sheet.writeValue(ExcelFile::Text, font, alignment, hiddenLocked, m_row, column, text);
}

void XlsListingWriter::begin(const QString& title)
{
    m_sheet.setPrintGridLines(false);
    m_sheet.setMargin(ExcelFile::TopMargin, 0.5);
    m_sheet.setMargin(ExcelFile::LeftMargin, 0.5);
    m_sheet.setMargin(ExcelFile::RightMargin, 0.5);
    m_sheet.setMargin(ExcelFile::BottomMargin, 0.5);
    for (const int format : {0, 1, 4, 3})
        m_sheet.setFont(QStringLiteral("Arial"), 9, format);
    // The attributes of the file rows, the headings and the title.
    m_sheet.addCellFormat(0, 1, 0);
    m_sheet.addCellFormat(64, 1, 0);
    m_sheet.addCellFormat(64, 0, 64);
    for (int column = 1; column <= 3; ++column)
        m_sheet.setColumnWidth(column, column, widthInCharacters(100));
    m_sheet.setColumnWidth(4, 4, widthInCharacters(500));
    m_sheet.setHeader(title);
    m_sheet.setFooter(title);

    m_row = 1;
    textCell(64, 0, 64, 1, title);
    m_row = 3;
    const QString headings[] = {QStringLiteral("No."), QStringLiteral("Date / Time"),
                                QStringLiteral("Filesize"), QStringLiteral("Filename")};
    for (int column = 1; column <= 4; ++column)
        textCell(64, 1, 0, column, headings[column - 1]);
    m_row = 4;
}

void XlsListingWriter::row(int number, const QString& date, qint64 size, QStringView name)
{
    textCell(0, 1, 0, 1, QString::number(number));
    textCell(0, 1, 0, 2, date);
    textCell(0, 1, 0, 3, QString::number(size));
    textCell(0, 1, 0, 4, name.toString());
    // Past the last row the format can address the cells are left out, as
    // every failed cell is; the row count must not overflow meanwhile.
    if (m_row < 1 << 30)
        ++m_row;
}

void XlsListingWriter::end()
{
    m_sheet.close();
}
