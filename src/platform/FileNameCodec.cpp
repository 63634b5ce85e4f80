// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileNameCodec.h"

namespace
{

char16_t escaped(unsigned char byte)
{
    return char16_t(0xDC00 + byte);
}

// Length of the valid UTF-8 sequence at s (0 when it is not one).
int sequenceLength(const unsigned char* s, qsizetype left, char32_t& cp)
{
    const unsigned char c = s[0];
    int n;
    if (c < 0x80) {
        cp = c;
        return 1;
    } else if (c >= 0xC2 && c <= 0xDF) {
        n = 2;
        cp = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
        n = 3;
        cp = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 4;
        cp = c & 0x07;
    } else {
        return 0;
    }
    if (left < n)
        return 0;
    for (int i = 1; i < n; ++i) {
        if ((s[i] & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (s[i] & 0x3F);
    }
    const bool overlong = (n == 3 && cp < 0x800) || (n == 4 && cp < 0x10000);
    const bool surrogate = cp >= 0xD800 && cp <= 0xDFFF;
    if (overlong || surrogate || cp > 0x10FFFF)
        return 0;
    return n;
}

} // namespace

QString FileNameCodec::decode(const char* bytes, qsizetype length)
{
    const auto* s = reinterpret_cast<const unsigned char*>(bytes);
    bool ascii = true;
    for (qsizetype i = 0; i < length && ascii; ++i)
        ascii = s[i] < 0x80;
    if (ascii)
        return QString::fromLatin1(bytes, length);

    QString out;
    out.reserve(length);
    for (qsizetype i = 0; i < length;) {
        char32_t cp;
        const int n = sequenceLength(s + i, length - i, cp);
        if (n == 0) {
            out += QChar(escaped(s[i]));
            ++i;
            continue;
        }
        if (cp >= 0x10000) {
            out += QChar(QChar::highSurrogate(cp));
            out += QChar(QChar::lowSurrogate(cp));
        } else {
            out += QChar(char16_t(cp));
        }
        i += n;
    }
    return out;
}

QByteArray FileNameCodec::encode(const QString& name)
{
    QByteArray out;
    out.reserve(name.size() * 3);
    const qsizetype n = name.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = name[i].unicode();
        char32_t cp = c;
        if (QChar::isHighSurrogate(c) && i + 1 < n &&
            QChar::isLowSurrogate(name[i + 1].unicode())) {
            cp = QChar::surrogateToUcs4(c, name[i + 1].unicode());
            ++i;
        } else if (c >= 0xDC80 && c <= 0xDCFF) {
            out += char(c - 0xDC00);
            continue;
        }
        if (cp < 0x80) {
            out += char(cp);
        } else if (cp < 0x800) {
            out += char(0xC0 | (cp >> 6));
            out += char(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += char(0xE0 | (cp >> 12));
            out += char(0x80 | ((cp >> 6) & 0x3F));
            out += char(0x80 | (cp & 0x3F));
        } else {
            out += char(0xF0 | (cp >> 18));
            out += char(0x80 | ((cp >> 12) & 0x3F));
            out += char(0x80 | ((cp >> 6) & 0x3F));
            out += char(0x80 | (cp & 0x3F));
        }
    }
    return out;
}
