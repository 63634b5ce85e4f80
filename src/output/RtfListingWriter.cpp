// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "RtfListingWriter.h"

#include "Windows1252.h"

#include <charconv>

namespace
{

constexpr char lineEnd[] = "\n\r\n";

void appendHex(OutputBuffer& out, int byte)
{
    static const char digits[] = "0123456789abcdef";
    const char escaped[] = {'\\', '\'', digits[byte >> 4], digits[byte & 15]};
    out.append(QByteArrayView(escaped, 4));
}

} // namespace

RtfListingWriter::RtfListingWriter(QIODevice& device) : m_out(device) {}

void RtfListingWriter::line(QByteArrayView text)
{
    m_out.append(text);
    m_out.append(lineEnd);
}

void RtfListingWriter::begin(const QString& title)
{
    line("{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang3081{\\fonttbl{\\f0\\fswiss\\fcharset0 "
         "Arial;}{\\f1\\fmodern\\fprq1\\fcharset0 Courier New;}}");
    m_out.append("{\\*\\generator Quillon 4 ;}\\viewkind4\\uc1\\pard\\f0\\fs28 ");
    appendText(title);
    line("\\par");
    line("\\par");
    line("\\b\\f1 \\b0\\par");
    const QByteArray blanks(17, ' ');
    m_out.append("\\b\\fs24 No.");
    m_out.append(blanks.left(7));
    m_out.append("Date/Time");
    m_out.append(blanks.left(17));
    m_out.append("FileSize");
    m_out.append(blanks.left(8));
    line("Filename \\b0\\par");
}

void RtfListingWriter::row(int number, const QString& date, qint64 size, QStringView name)
{
    appendNumber(number, 10);
    appendText(date, 26);
    appendNumber(size, 16);
    appendText(name);
    line("\\par");
}

void RtfListingWriter::appendNumber(qint64 value, int width)
{
    char digits[24];
    const int n = int(std::to_chars(digits, digits + sizeof digits, value).ptr - digits);
    m_out.append(QByteArrayView(digits, qMin(n, width)));
    for (int i = n; i < width; ++i)
        m_out.append(' ');
}

void RtfListingWriter::end()
{
    line("}");
    m_out.flush();
}

void RtfListingWriter::appendText(QStringView text, int width)
{
    const qsizetype n = text.size();
    const char16_t* s = text.utf16();
    int count = 0;
    for (qsizetype i = 0; i < n && (width < 0 || count < width); ++i, ++count) {
        const char16_t c = s[i];
        if (c >= 0x20 && c < 0x7F && c != '\\' && c != '{' && c != '}') {
            m_out.append(char(c));
        } else if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(s[i + 1])) {
            appendCodePoint(QChar::surrogateToUcs4(c, s[i + 1]));
            ++i;
        } else {
            appendCodePoint(c);
        }
    }
    for (; count < width; ++count)
        m_out.append(' ');
}

void RtfListingWriter::appendCodePoint(char32_t cp)
{
    if (cp == '\\' || cp == '{' || cp == '}') {
        m_out.append('\\');
        m_out.append(char(cp));
        return;
    }
    if (cp >= 0x20 && cp < 0x7F) {
        m_out.append(char(cp));
        return;
    }
    const int byte = Windows1252::byteOf(cp);
    if (byte >= 0) {
        appendHex(m_out, byte);
        return;
    }
    // Outside the code page: one \uN per UTF-16 unit, each followed by "?"
    // for readers without Unicode, written as \'3f since some readers take a
    // bare "?" for part of the control word.
    const char16_t units[2] = {QChar::highSurrogate(cp), QChar::lowSurrogate(cp)};
    const bool pair = QChar::requiresSurrogates(cp);
    for (int i = 0; i < (pair ? 2 : 1); ++i) {
        m_out.append("\\u");
        m_out.appendNumber(qint16(pair ? units[i] : char16_t(cp)));
        m_out.append("\\'3f");
    }
}
