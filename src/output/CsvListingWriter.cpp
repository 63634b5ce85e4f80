// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CsvListingWriter.h"

#include "platform/FileNameCodec.h"

namespace
{

// RFC 4180: a field holding a separator, a quote or a line end goes in
// quotes, its quotes doubled; any other field is written as it is.
bool needsQuotes(QStringView text)
{
    for (const QChar c : text) {
        if (c == u',' || c == u'"' || c == u'\r' || c == u'\n')
            return true;
    }
    return false;
}

} // namespace

CsvListingWriter::CsvListingWriter(QIODevice& device) : m_out(device) {}

void CsvListingWriter::appendField(QStringView text)
{
    if (needsQuotes(text)) {
        QString quoted = text.toString();
        quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
        m_out.append('"');
        m_out.append(FileNameCodec::encode(quoted));
        m_out.append('"');
    } else if (!m_out.appendAscii(text)) {
        m_out.append(FileNameCodec::encode(text.toString()));
    }
}

void CsvListingWriter::begin(const QString& title)
{
    m_out.append("No,Date/Time,Byte Size,");
    appendField(QStringLiteral("Filenames at ") + title);
    m_out.append("\r\n");
}

void CsvListingWriter::row(int number, const QString& date, qint64 size, QStringView name)
{
    m_out.appendNumber(number);
    m_out.append(',');
    appendField(date);
    m_out.append(',');
    m_out.appendNumber(size);
    m_out.append(',');
    appendField(name);
    m_out.append("\r\n");
}

void CsvListingWriter::end()
{
    m_out.flush();
}
