#pragma once

#include "ListingWriter.h"
#include "OutputBuffer.h"

// The listing as comma-separated text, lines ended by CR LF:
//   No,Date/Time,Byte Size,Filenames at Directory /home/ann/photos
//   1,3/4/2021 10:00:00 AM,1024,a.txt
// Fields are not quoted: a comma in a name or date is written as it is (the
// name is the last field, so a reader can join the rest of the line back).
// Texts are UTF-8; a file name keeps its own bytes, also when they are not
// UTF-8, so the listing names the files exactly.
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
    OutputBuffer m_out;
};
