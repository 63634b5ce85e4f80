// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "DateKeyReader.h"

#include "SortKeys.h"
#include "platform/DateText.h"

#include <QDate>

std::optional<qint64> DateKeyReader::read(QStringView text) const
{
    QDate date;
    int second = 0;
    if (DateText::read(text, date, second))
        return SortKeys::dateKey(date, second);
    const QDateTime parsed = DateText::parse(text.toString());
    if (!parsed.isValid())
        return std::nullopt;
    return SortKeys::dateKey(parsed.date(), parsed.time().msecsSinceStartOfDay() / 1000);
}
