// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SortKeys.h"

#include "DateKeyReader.h"
#include "platform/DateText.h"

QString SortKeys::columnText(const FileListModel& model, int column, int record)
{
    auto view = [](QStringView v) { return QString::fromRawData(v.data(), v.size()); };
    switch (column) {
    case 1:
        return model.creationDateText(record);
    case 2:
        return model.modifiedDateText(record);
    case 3:
        return view(model.currentNameOf(record));
    case 4:
        return model.newNameOf(record);
    case 5:
        return model.sizeText(record);
    case 6:
        return model.spareText(record);
    default:
        return QString();
    }
}

std::optional<qint64> SortKeys::dateKeyOf(const FileListModel& model, int column, int record)
{
    const FileListModel::Field field =
        column == 1 ? FileListModel::Created : FileListModel::Modified;
    const FileListModel::Record& r = model.record(record);
    if (!(r.flags & FileListModel::textOf(field)) && (r.flags & FileListModel::StatOk)) {
        QDate date;
        int second = 0;
        if (DateText::localDay(column == 1 ? r.created : r.modified, date, second))
            return dateKey(date, second);
    }
    return DateKeyReader().read(columnText(model, column, record));
}

qint64 SortKeys::dateKey(const QDate& date, int secondsOfDay)
{
    static const qint64 dayZero = QDate(1899, 12, 30).toJulianDay();
    const qint64 days = date.toJulianDay() - dayZero;
    // 10,000 ten-thousandths per 86,400 seconds: 25 per 216 seconds.
    return days * Scale + divideRounded(qint64(secondsOfDay) * 25, 216);
}

qint64 SortKeys::divideRounded(qint64 a, qint64 b)
{
    qint64 q = a / b;
    qint64 r = a % b;
    if (r < 0) {
        --q;
        r += b;
    }
    if (2 * r > b || (2 * r == b && (q & 1)))
        ++q;
    return q;
}
