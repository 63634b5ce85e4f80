// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/FileSystem.h"

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QVariant>

#include <memory>

class OutputBuffer;

// Writes a single-sheet spreadsheet in the BIFF2 record format, which current
// spreadsheet programs still open. The caller creates the file, writes page,
// font and column records, then the cells, then closes it; records go out in
// the order they are asked for, without checks of that order.
//
// Every operation swallows its own failures: a record that cannot be written
// is left out and nothing is reported, so a listing goes on with its next
// cell. The limits that fail this way: a text, font name, header or footer of
// more than 255 characters; a row or column above 98303; a whole number cell
// outside -32768..32767; a font height or column width whose stored value
// (height x 20, width x 256) leaves the signed 16-bit range.
//
// Texts are written in Windows-1252, which the CODEPAGE record after the
// start record declares; other characters become "?".
//
// Cell formats: every cell names a format record by the low six bits of its
// first attribute byte. Programs that keep no copy of the attributes in the
// cell (Gnumeric) drop a cell whose format record is missing, and programs
// that do (LibreOffice) use the format records instead as soon as there are
// any. So a writer declares, after its fonts and before its cells, one
// format for each set of attributes it uses (addCellFormat); writeValue
// then points each cell at the format with its attributes. Without any
// declared format the attribute bytes are written as given.
class ExcelFile
{
public:
    enum CellType { WholeNumber = 0, Number = 1, Text = 2 };
    enum Margin { LeftMargin = 0x26, RightMargin = 0x27, TopMargin = 0x28, BottomMargin = 0x29 };

    explicit ExcelFile(FileSystem& fileSystem);
    ~ExcelFile(); // closes a file still open
    ExcelFile(const ExcelFile&) = delete;
    ExcelFile& operator=(const ExcelFile&) = delete;

    // Replaces a file of that name and writes the start and code page
    // records. A read-only file or a folder of that name is left alone, and
    // nothing is written.
    int create(const QString& FileName);
    // The same on a device the caller opened; close closes it.
    int create(QIODevice& device);
    // Writes the end record and closes the file; a second call writes nothing.
    int close();
    bool isOpen() const;
    // The file error code of the first failure to create or write the file,
    // 0 while none; the operations themselves never report it.
    int lastError() const;

    // Rows and columns count from 1; 32768..65536 still map onto the 16 bits of
    // the format, and 65537..98303 wrap round onto 1..32767. The value is
    // converted to the cell's type; a value outside CellType writes nothing.
    int writeValue(CellType type, int font, int alignment, int hiddenLocked, int row, int column,
                   const QVariant& value);
    int setMargin(int Margin, double MarginValue);                       // inches
    int setColumnWidth(int FirstColumn, int LastColumn, int WidthValue); // 1-based, characters
    int setFont(const QString& FontName, int FontHeight,
                int FontFormat); // points; 1 bold, 2 italic, 4 underline, 8 strike
    int setHeader(const QString& HeaderText);
    int setFooter(const QString& FooterText);
    // Writes a format record for cells with these attribute bytes (as
    // writeValue takes them) and returns its number, -1 when none is written
    // (past the 64 formats a cell can name, or bytes out of range).
    int addCellFormat(int CellFontUsed, int Alignment, int HiddenLocked);
    void setPrintGridLines(bool on);
    void setProtectSpreadsheet(bool on);

    // Hands what is pending to the file, so that it stays when the program
    // stops writing early.
    void flush();

private:
    int open(QIODevice& device);
    void release();
    void writeRecord(QByteArrayView record);
    int writeCounted(int number, const QString& text);
    void writeFlag(int number, bool on);

    int hiddenLockedByte(int CellFontUsed, int Alignment, int HiddenLocked) const;

    FileSystem& m_fs;
    QList<int> m_formats; // the attribute bytes of each declared format, packed
    std::unique_ptr<FileDevice> m_file;
    QIODevice* m_device = nullptr; // the "file handle": set from create on
    std::unique_ptr<OutputBuffer> m_out;
    int m_createError = 0;
};
