// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Windows1252.h"

namespace
{

// Code points of the bytes 0x80..0x9F; 0 where the code page defines none.
constexpr char16_t upperControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

bool isDefinedByte(int byte)
{
    return byte < 0x80 || byte >= 0xA0 || upperControls[byte - 0x80] != 0;
}

} // namespace

int Windows1252::byteOf(char32_t cp)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return int(cp);
    if (cp >= 0xDC80 && cp <= 0xDCFF) {
        // A raw byte of a file name that is not UTF-8.
        const int byte = int(cp - 0xDC00);
        return isDefinedByte(byte) ? byte : -1;
    }
    for (int i = 0; i < 32; ++i) {
        if (upperControls[i] != 0 && upperControls[i] == cp)
            return 0x80 + i;
    }
    return -1;
}

char16_t Windows1252::codePointOf(int byte)
{
    if (!isDefinedByte(byte))
        return 0xFFFD;
    return byte >= 0x80 && byte < 0xA0 ? upperControls[byte - 0x80] : char16_t(byte);
}

QByteArray Windows1252::encode(QStringView text)
{
    QByteArray out;
    out.reserve(text.size());
    forEachCodePoint(text, [&out](char32_t cp) {
        const int byte = byteOf(cp);
        out += byte < 0 ? '?' : char(byte);
    });
    return out;
}
