// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ListingWriter.h"
#include "OutputBuffer.h"

// The listing as comma-separated text, lines ended by CR LF:
//   No,Date/Time,Byte Size,Filenames at Directory /home/ann/photos
//   1,3/4/2021 10:00:00 AM,1024,a.txt
// A field holding a comma, a double quote, CR or LF (a name, a long date,
// the folder in the heading) is quoted as RFC 4180 says, its quotes doubled:
//   2,3/4/2021 10:00:00 AM,12,"a,b.txt"
// every other field is written as it is. Texts are UTF-8; a file name keeps
// its own bytes, also when they are not UTF-8, so the listing names the
// files exactly.
class CsvListingWriter : public ListingWriter
{
public:
    explicit CsvListingWriter(QIODevice& device);
    void begin(const QString& title) override;
    void row(int number, const QString& date, qint64 size, QStringView name) override;
    void end() override;
    void flush() override { m_out.flush(); }
    int error() const override { return m_out.error(); }

private:
    void appendField(QStringView text);

    OutputBuffer m_out;
};
