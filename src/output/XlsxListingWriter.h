// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ListingWriter.h"

#include <QByteArray>
#include <QIODevice>
#include <QTemporaryFile>

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

// The listing as an Office Open XML workbook (.xlsx) through libxlsxwriter,
// with the rows and headings of XlsListingWriter: the title in row 1, the
// column headings in row 3 and one row per file from row 4 on. Names hold
// every character, numbers and sizes are numbers, and dates are dates
// (shown yyyy-mm-dd hh:mm:ss); a date text that is no date of the workbook's
// calendar (before 1 March 1900, such as the zero date) stays a text.
//
// Characters XML cannot hold are written with the format's own escape,
// _xHHHH_ (a CR as _x000D_: a plain CR would read back as a line feed), and
// a text that looks like that escape gets its "_" escaped (_x005F_), as Excel
// writes them. The stray bytes of names that are not UTF-8 (U+DC80..U+DCFF)
// cannot be in the file at all; each is shown as the Windows-1252 letter of
// its byte, as the XLS and RTF listings show it, or U+FFFD for the five bytes
// the code page leaves undefined.
//
// libxlsxwriter writes its zip archive to a file path and seeks in it (the
// Debian 12 version cannot write to memory), so the workbook is made in a
// temporary file of the system's temporary folder and copied into the device
// at the end: the chosen file is written through the program's file layer
// like the other listings, and nothing else appears in the user's folders.
// The rows go to libxlsxwriter's own temporary file as they come, so a
// million rows do not sit in memory.
class XlsxListingWriter : public ListingWriter
{
public:
    explicit XlsxListingWriter(QIODevice& device);
    ~XlsxListingWriter() override;
    XlsxListingWriter(const XlsxListingWriter&) = delete;
    XlsxListingWriter& operator=(const XlsxListingWriter&) = delete;

    void begin(const QString& title) override;
    void row(int number, const QString& date, qint64 size, QStringView name) override;
    // Closes the workbook and copies it into the device.
    void end() override;
    // A zip archive cannot be handed over in parts: the workbook is ended
    // with the rows so far, and later rows are left out.
    void flush() override { end(); }
    int error() const override { return m_error; }

    // A text as a cell holds it: UTF-8 with the escapes described above.
    static QByteArray cellText(QStringView text);

private:
    void writeText(int column, QStringView text, lxw_format* format);
    void fail(int code);

    QIODevice& m_device;
    QTemporaryFile m_file;
    QByteArray m_tempFolder;
    lxw_workbook* m_workbook = nullptr;
    lxw_worksheet* m_sheet = nullptr;
    lxw_format* m_text = nullptr;
    lxw_format* m_number = nullptr;
    lxw_format* m_date = nullptr;
    lxw_format* m_heading = nullptr;
    int m_row = 0; // from 0, as libxlsxwriter counts
    int m_error = 0;
};
