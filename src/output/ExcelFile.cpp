// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExcelFile.h"

#include "OutputBuffer.h"
#include "Windows1252.h"
#include "platform/FileErrors.h"

#include <QtEndian>

#include <cmath>
#include <cstring>
#include <optional>
#include <tuple>

namespace
{

// Version 2, sheet type 0x0010: a worksheet. Readers refuse any other type.
constexpr char startRecord[] = {0x09, 0x00, 0x04, 0x00, 0x02, 0x00, 0x10, 0x00};
// CODEPAGE 1252: the texts are Windows-1252. Without it readers guess (xlrd
// refuses a text that is not ASCII).
constexpr char codePageRecord[] = {0x42, 0x00, 0x02, 0x00, char(0xE4), 0x04};
constexpr char endRecord[] = {0x0A, 0x00, 0x00, 0x00};
constexpr int maxText = 255;

// Builds one record in a fixed buffer: the longest is a text cell of 255 bytes.
class Record
{
public:
    Record(int number, int length)
    {
        put16(number);
        put16(length);
    }
    void put8(int v) { m_bytes[m_size++] = char(v); }
    void put16(int v)
    {
        qToLittleEndian(quint16(v), m_bytes + m_size);
        m_size += 2;
    }
    void putDouble(double v)
    {
        quint64 bits;
        std::memcpy(&bits, &v, sizeof bits);
        qToLittleEndian(bits, m_bytes + m_size);
        m_size += 8;
    }
    void putBytes(const QByteArray& b)
    {
        std::memcpy(m_bytes + m_size, b.constData(), size_t(b.size()));
        m_size += int(b.size());
    }
    QByteArrayView view() const { return QByteArrayView(m_bytes, m_size); }

private:
    char m_bytes[16 + maxText];
    int m_size = 0;
};

constexpr int maxFormats = 64; // the cell's six bits of format number

int packedAttributes(int font, int alignment, int hiddenLocked)
{
    return font << 16 | alignment << 8 | hiddenLocked;
}

bool fits16(long long v)
{
    return v >= -32768 && v <= 32767;
}

bool fitsByte(int v)
{
    return v >= 0 && v <= 255;
}

// Rows and columns are given from 1. Values above 32767 are first taken down
// by 65536, so 1..65536 all reach the 16 bits; the stored index is one less,
// wrapping round like the 16-bit number it is written as.
std::optional<int> cellIndex(int given)
{
    const long long v = given > 32767 ? given - 65536LL : given;
    if (!fits16(v))
        return std::nullopt;
    return int(quint16(v - 1));
}

// A whole number as the format's 16-bit cell takes it: rounded half to even.
std::optional<int> wholeNumber(const QVariant& value)
{
    bool ok = false;
    const double d = value.toDouble(&ok);
    if (!ok || !std::isfinite(d))
        return std::nullopt;
    const double r = std::nearbyint(d);
    if (!fits16((long long)r))
        return std::nullopt;
    return int(r);
}

} // namespace

ExcelFile::ExcelFile(FileSystem& fileSystem) : m_fs(fileSystem) {}

ExcelFile::~ExcelFile()
{
    if (m_device)
        close();
}

int ExcelFile::create(const QString& FileName)
{
    release();
    int attributes = 0;
    if (m_fs.attributes(FileName, attributes) == 0 &&
        (attributes & (FileSystem::ReadOnly | FileSystem::Folder))) {
        m_createError = FileErrors::PathAccess;
        return 0;
    }
    // A file that cannot be removed cannot be opened for writing either,
    // which gives the error below.
    if (m_fs.isVisibleFile(FileName))
        std::ignore = m_fs.removeFile(FileName);
    std::unique_ptr<FileDevice> file = m_fs.openForWriting(FileName, m_createError);
    if (!file) {
        m_createError = m_createError ? m_createError : int(FileErrors::PathAccess);
        return 0;
    }
    m_file = std::move(file);
    return open(*m_file);
}

int ExcelFile::create(QIODevice& device)
{
    release();
    return open(device);
}

void ExcelFile::release()
{
    // A file left open by an earlier create keeps what it got, unended.
    m_out.reset();
    m_file.reset();
    m_formats.clear();
    m_device = nullptr;
    m_createError = 0;
}

int ExcelFile::open(QIODevice& device)
{
    m_device = &device;
    m_out = std::make_unique<OutputBuffer>(device);
    m_out->append(QByteArrayView(startRecord, sizeof startRecord));
    m_out->append(QByteArrayView(codePageRecord, sizeof codePageRecord));
    return 0;
}

bool ExcelFile::isOpen() const
{
    return m_device && m_device->isOpen() && m_out && m_out->error() == 0;
}

int ExcelFile::lastError() const
{
    if (m_createError)
        return m_createError;
    if (m_out && m_out->error())
        return m_out->error();
    return m_file ? m_file->errorCode() : 0;
}

int ExcelFile::close()
{
    if (!m_device || !m_device->isOpen())
        return 0; // closed already: nothing is written twice
    m_out->append(QByteArrayView(endRecord, sizeof endRecord));
    m_out->flush();
    m_device->close();
    return 0;
}

void ExcelFile::flush()
{
    if (m_device && m_device->isOpen())
        m_out->flush();
}

void ExcelFile::writeRecord(QByteArrayView record)
{
    if (m_device && m_device->isOpen())
        m_out->append(record);
}

int ExcelFile::writeValue(CellType type, int font, int alignment, int hiddenLocked, int row,
                          int column, const QVariant& value)
{
    const std::optional<int> rowIndex = cellIndex(row);
    const std::optional<int> columnIndex = cellIndex(column);
    if (!rowIndex || !columnIndex || !fitsByte(font) || !fitsByte(alignment) ||
        !fitsByte(hiddenLocked))
        return 0;
    auto start = [&](Record& r) {
        r.put16(*rowIndex);
        r.put16(*columnIndex);
        r.put8(hiddenLockedByte(font, alignment, hiddenLocked));
        r.put8(font);
        r.put8(alignment);
    };
    switch (type) {
    case WholeNumber: {
        const std::optional<int> v = wholeNumber(value);
        if (!v)
            return 0;
        Record r(0x0002, 9);
        start(r);
        r.put16(*v);
        writeRecord(r.view());
        break;
    }
    case Number: {
        bool ok = false;
        const double v = value.toDouble(&ok);
        if (!ok)
            return 0;
        Record r(0x0003, 15);
        start(r);
        r.putDouble(v);
        writeRecord(r.view());
        break;
    }
    case Text: {
        const QByteArray text = Windows1252::encode(value.toString());
        if (text.size() > maxText)
            return 0;
        Record r(0x0004, 8 + int(text.size()));
        start(r);
        r.put8(int(text.size()));
        r.putBytes(text);
        writeRecord(r.view());
        break;
    }
    default:
        break;
    }
    return 0;
}

// The first attribute byte of a cell: hidden and locked as given, and the
// number of the declared format with the same attributes when there is one.
int ExcelFile::hiddenLockedByte(int CellFontUsed, int Alignment, int HiddenLocked) const
{
    const qsizetype format =
        m_formats.indexOf(packedAttributes(CellFontUsed, Alignment, HiddenLocked));
    return format < 0 ? HiddenLocked : (HiddenLocked & 0xC0) | int(format);
}

// The format record of the oldest layout: font number, an unused byte, the
// number format with the hidden and locked bits, then alignment and borders.
int ExcelFile::addCellFormat(int CellFontUsed, int Alignment, int HiddenLocked)
{
    if (m_formats.size() >= maxFormats || !fitsByte(CellFontUsed) || !fitsByte(Alignment) ||
        !fitsByte(HiddenLocked))
        return -1;
    Record r(0x0043, 4);
    r.put8(CellFontUsed >> 6);
    r.put8(0);
    r.put8((CellFontUsed & 0x3F) | (HiddenLocked & 0xC0));
    r.put8(Alignment);
    writeRecord(r.view());
    m_formats.append(packedAttributes(CellFontUsed, Alignment, HiddenLocked));
    return int(m_formats.size() - 1);
}

int ExcelFile::setMargin(int Margin, double MarginValue)
{
    if (Margin < 0 || Margin > 0xFFFF)
        return 0;
    Record r(Margin, 8);
    r.putDouble(MarginValue);
    writeRecord(r.view());
    return 0;
}

int ExcelFile::setColumnWidth(int FirstColumn, int LastColumn, int WidthValue)
{
    const long long width = WidthValue * 256LL;
    if (!fitsByte(FirstColumn - 1) || !fitsByte(LastColumn - 1) || !fits16(width))
        return 0;
    Record r(0x0024, 4);
    r.put8(FirstColumn - 1);
    r.put8(LastColumn - 1);
    r.put16(int(width));
    writeRecord(r.view());
    return 0;
}

int ExcelFile::setFont(const QString& FontName, int FontHeight, int FontFormat)
{
    const QByteArray name = Windows1252::encode(FontName);
    const long long height = FontHeight * 20LL;
    if (name.size() > maxText || !fits16(height))
        return 0;
    Record r(0x0031, 5 + int(name.size()));
    r.put16(int(height));
    r.put8(FontFormat & 0xFF);
    r.put8(0);
    r.put8(int(name.size()));
    r.putBytes(name);
    writeRecord(r.view());
    return 0;
}

int ExcelFile::writeCounted(int number, const QString& text)
{
    const QByteArray bytes = Windows1252::encode(text);
    if (bytes.size() > maxText)
        return 0;
    Record r(number, 1 + int(bytes.size()));
    r.put8(int(bytes.size()));
    r.putBytes(bytes);
    writeRecord(r.view());
    return 0;
}

int ExcelFile::setHeader(const QString& HeaderText)
{
    return writeCounted(0x0014, HeaderText);
}

int ExcelFile::setFooter(const QString& FooterText)
{
    return writeCounted(0x0015, FooterText);
}

void ExcelFile::writeFlag(int number, bool on)
{
    Record r(number, 2);
    r.put16(on ? 1 : 0);
    writeRecord(r.view());
}

void ExcelFile::setPrintGridLines(bool on)
{
    writeFlag(0x002B, on);
}

void ExcelFile::setProtectSpreadsheet(bool on)
{
    writeFlag(0x0012, on);
}
