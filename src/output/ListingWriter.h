// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

// One listing document being written row by row: the heading, one row per
// listed file in the shown order, the end. Writers stream to their device, so
// a million rows never sit in memory.
class ListingWriter
{
public:
    virtual ~ListingWriter() = default;
    virtual void begin(const QString& title) = 0;
    // number: the record's number from the scan; size: bytes, read from disk.
    virtual void row(int number, const QString& date, qint64 size, QStringView name) = 0;
    virtual void end() = 0;
    // Hands what is pending to the device, so that it stays when the export
    // stops early.
    virtual void flush() = 0;
    // The file error code of a failed write; 0 while all went well.
    virtual int error() const = 0;
};
