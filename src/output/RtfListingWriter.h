// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ListingWriter.h"
#include "OutputBuffer.h"

// The listing as a rich-text document: a heading in Arial, then fixed-width
// rows in Courier New (number, date and size padded or cut to 10, 26 and 16
// characters, then the name), so the columns line up. Every line of the file
// ends in LF CR LF.
//
// Texts are escaped for the document: "\", "{" and "}" get a backslash, other
// characters of Windows-1252 above ASCII and control characters are written as
// \'hh, and characters outside the code page as \uN\'3f (N the signed UTF-16
// unit, then "?" for readers without Unicode), so every name shows as it is.
class RtfListingWriter : public ListingWriter
{
public:
    explicit RtfListingWriter(QIODevice& device);
    void begin(const QString& title) override;
    void row(int number, const QString& date, qint64 size, QStringView name) override;
    void end() override;
    void flush() override { m_out.flush(); }
    int error() const override { return m_out.error(); }

private:
    void line(QByteArrayView text);
    // Appends the text escaped; with width >= 0 it is cut or padded with
    // blanks to that many characters first.
    void appendText(QStringView text, int width = -1);
    void appendCodePoint(char32_t cp);
    // A number padded or cut to width characters.
    void appendNumber(qint64 value, int width);

    OutputBuffer m_out;
};
