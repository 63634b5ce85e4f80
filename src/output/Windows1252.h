// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QStringView>

// Texts in the Windows-1252 code page, which the spreadsheet and rich-text
// listings are written in. Characters the code page lacks become "?". A file
// name byte that is not UTF-8 (kept as U+DC80..U+DCFF by FileNameCodec) is
// taken as the code page byte it is, so an old Latin-1 name reads right.
class Windows1252
{
public:
    // The code page byte of a code point, or -1 when the code page lacks it.
    static int byteOf(char32_t codePoint);
    // The character of a code page byte; U+FFFD for the five bytes the code
    // page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D).
    static char16_t codePointOf(int byte);
    // One byte per character (a surrogate pair is one character).
    static QByteArray encode(QStringView text);
    // Calls visit(codePoint) for every character, joining surrogate pairs.
    template <typename Visit> static void forEachCodePoint(QStringView text, Visit visit);
};

template <typename Visit> void Windows1252::forEachCodePoint(QStringView text, Visit visit)
{
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < n &&
            QChar::isLowSurrogate(text[i + 1].unicode())) {
            visit(QChar::surrogateToUcs4(c, text[i + 1].unicode()));
            ++i;
        } else {
            visit(char32_t(c));
        }
    }
}
