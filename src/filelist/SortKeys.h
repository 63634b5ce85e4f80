// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "filelist/FileListModel.h"

#include <QDate>
#include <QString>

#include <optional>

// The keys the list sorts by. Numbers and dates become fixed-point counts of
// ten-thousandths (a size of 1,024 is 10,240,000; a date is its serial day
// number, days since 30 December 1899 with the time of day as a fraction,
// times 10,000), so one comparison of two 64-bit integers orders them.
class SortKeys
{
public:
    static constexpr qint64 Scale = 10000;

    // The text of data column 1..6 of a record (creation date, modified date,
    // current name, new name, size, spare). Texts held in the list are not
    // copied: the result refers to them and lives as long as the list is
    // unchanged.
    static QString columnText(const FileListModel& model, int column, int record);

    // The date key of column 1 or 2 of a record: the text's key, read from
    // the number the list keeps when the text is written from it (the
    // same key, without writing and reading the text); no value when the
    // text is not a date.
    static std::optional<qint64> dateKeyOf(const FileListModel& model, int column, int record);

    // Serial day number of a local date and time of day, to the second, in
    // ten-thousandths of a day, rounded to the nearest (halves to even).
    static qint64 dateKey(const QDate& date, int secondsOfDay);

    // a / b rounded to the nearest whole number, halves to even (b > 0).
    static qint64 divideRounded(qint64 a, qint64 b);
};
