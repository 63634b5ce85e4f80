// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "XlsxListingWriter.h"

#include "OutputBuffer.h"
#include "Windows1252.h"
#include "XlsListingWriter.h"
#include "platform/DateText.h"
#include "platform/FileErrors.h"

#include <QDir>

#include <xlsxwriter.h>

#include <cerrno>

namespace
{

bool isHex(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

// "_xHHHH_" at the start of text: a reader would take it for an escape.
bool looksLikeEscape(QStringView text)
{
    return text.size() >= 7 && text[1] == u'x' && isHex(text[2]) && isHex(text[3]) &&
           isHex(text[4]) && isHex(text[5]) && text[6] == u'_';
}

// The first day of the workbook's calendar that every reader counts alike:
// before it lies 29 February 1900, which Excel's calendar has and others
// do not.
const QDate FirstDate(1900, 3, 1);

} // namespace

XlsxListingWriter::XlsxListingWriter(QIODevice& device)
    : m_device(device), m_file(QDir::tempPath() + QStringLiteral("/quillon-XXXXXX.xlsx")),
      m_tempFolder(QFile::encodeName(QDir::tempPath()))
{
}

XlsxListingWriter::~XlsxListingWriter()
{
    if (m_workbook) // never ended: nothing goes to the device
        lxw_workbook_free(m_workbook);
}

QByteArray XlsxListingWriter::cellText(QStringView text)
{
    QString out;
    out.reserve(text.size());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < n &&
            QChar::isLowSurrogate(text[i + 1].unicode())) {
            out += text[i];
            out += text[++i];
        } else if (c >= 0xDC80 && c <= 0xDCFF) {
            out += QChar(Windows1252::codePointOf(c - 0xDC00));
        } else if (QChar::isSurrogate(c)) {
            out += QChar(0xFFFD);
        } else if ((c < 0x20 && c != u'\t' && c != u'\n') || c >= 0xFFFE ||
                   (c == u'_' && looksLikeEscape(text.mid(i)))) {
            out += QString::asprintf("_x%04X_", unsigned(c));
        } else {
            out += text[i];
        }
    }
    return out.toUtf8();
}

void XlsxListingWriter::fail(int code)
{
    if (!m_error)
        m_error = code;
}

void XlsxListingWriter::begin(const QString& title)
{
    if (!m_file.open()) {
        fail(FileErrors::PathAccess);
        return;
    }
    lxw_workbook_options options = {};
    options.constant_memory = LXW_TRUE;
    options.tmpdir = m_tempFolder.data();
    m_workbook = workbook_new_opt(QFile::encodeName(m_file.fileName()).constData(), &options);
    if (!m_workbook) {
        fail(FileErrors::OutOfMemory);
        return;
    }
    m_sheet = workbook_add_worksheet(m_workbook, nullptr);
    auto format = [this](bool bold, const char* numbers) {
        lxw_format* f = workbook_add_format(m_workbook);
        format_set_font_name(f, "Arial");
        format_set_font_size(f, 9);
        format_set_align(f, LXW_ALIGN_LEFT);
        if (bold)
            format_set_bold(f);
        if (numbers)
            format_set_num_format(f, numbers);
        return f;
    };
    m_text = format(false, nullptr);
    m_number = format(false, "0");
    m_date = format(false, "yyyy-mm-dd hh:mm:ss");
    m_heading = format(true, nullptr);
    worksheet_set_margins(m_sheet, 0.5, 0.5, 0.5, 0.5);
    // The widths of the XLS, but for the dates and sizes, which a
    // spreadsheet shows as #### where they do not fit.
    const int narrow = XlsListingWriter::widthInCharacters(100);
    worksheet_set_column(m_sheet, 0, 0, narrow, nullptr);
    worksheet_set_column(m_sheet, 1, 1, 20, nullptr);
    worksheet_set_column(m_sheet, 2, 2, 16, nullptr);
    worksheet_set_column(m_sheet, 3, 3, XlsListingWriter::widthInCharacters(500), nullptr);
    // "&" starts a code in a page header.
    const QByteArray header = "&C" + cellText(QString(title).replace(u'&', QStringLiteral("&&")));
    worksheet_set_header(m_sheet, header.constData());
    worksheet_set_footer(m_sheet, header.constData());

    m_row = 0;
    writeText(0, title, m_heading);
    m_row = 2;
    const QString headings[] = {QStringLiteral("No."), QStringLiteral("Date / Time"),
                                QStringLiteral("Filesize"), QStringLiteral("Filename")};
    for (int column = 0; column < 4; ++column)
        writeText(column, headings[column], m_heading);
    m_row = 3;
}

void XlsxListingWriter::writeText(int column, QStringView text, lxw_format* format)
{
    worksheet_write_string(m_sheet, lxw_row_t(m_row), lxw_col_t(column), cellText(text).constData(),
                           format);
}

void XlsxListingWriter::row(int number, const QString& date, qint64 size, QStringView name)
{
    if (!m_sheet)
        return;
    worksheet_write_number(m_sheet, lxw_row_t(m_row), 0, number, m_number);
    QDate day;
    int second = 0;
    if (DateText::read(date, day, second) && day >= FirstDate) {
        lxw_datetime when = {day.year(),    day.month(),      day.day(),
                             second / 3600, second / 60 % 60, double(second % 60)};
        worksheet_write_datetime(m_sheet, lxw_row_t(m_row), 1, &when, m_date);
    } else {
        writeText(1, date, m_text);
    }
    worksheet_write_number(m_sheet, lxw_row_t(m_row), 2, double(size), m_number);
    writeText(3, name, m_text);
    ++m_row; // past the sheet's last row libxlsxwriter leaves the cells out
}

void XlsxListingWriter::end()
{
    if (!m_workbook)
        return;
    errno = 0;
    const lxw_error closed = workbook_close(std::exchange(m_workbook, nullptr));
    m_sheet = nullptr;
    if (closed != LXW_NO_ERROR) {
        // The temporary file could not be written (its disk is full, say).
        const int code = errno ? FileErrors::fromErrno(errno, FileErrors::Operation::OpenOrWrite)
                               : int(FileErrors::DeviceIO);
        fail(code);
        return;
    }
    OutputBuffer out(m_device);
    m_file.seek(0);
    QByteArray block;
    while (!out.error() && !(block = m_file.read(1 << 20)).isEmpty())
        out.append(block);
    out.flush();
    if (out.error())
        fail(out.error());
    else if (m_file.error() != QFileDevice::NoError)
        fail(FileErrors::DeviceIO);
}
