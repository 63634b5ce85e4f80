#include "CsvListingWriter.h"

#include "platform/FileNameCodec.h"

CsvListingWriter::CsvListingWriter(QIODevice& device) : m_out(device) {}

void CsvListingWriter::begin(const QString& title)
{
    m_out.append("No,Date/Time,Byte Size,Filenames at ");
    m_out.append(FileNameCodec::encode(title));
    m_out.append("\r\n");
}

void CsvListingWriter::row(int number, const QString& date, qint64 size, QStringView name)
{
    m_out.appendNumber(number);
    m_out.append(',');
    if (!m_out.appendAscii(date))
        m_out.append(date.toUtf8());
    m_out.append(',');
    m_out.appendNumber(size);
    m_out.append(',');
    if (!m_out.appendAscii(name))
        m_out.append(FileNameCodec::encode(name.toString()));
    m_out.append("\r\n");
}

void CsvListingWriter::end()
{
    m_out.flush();
}
