// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// Reads the texts of a date column into fixed-point date keys (see SortKeys).
//
// The date texts of the list all come from DateText, so each text is first
// read by DateText::read, which mirrors the writer without allocating;
// reading a million dates through the locale's general parser would take
// many seconds. A text that does not fit goes to DateText::parse, so every
// text the program accepts as a date still sorts.
class DateKeyReader
{
public:
    // The key, or no value when the text is not a date.
    std::optional<qint64> read(QStringView text) const;
};
