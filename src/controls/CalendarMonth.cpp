// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CalendarMonth.h"

namespace
{
QDate pinnedToday;
}

std::array<CalendarMonth::Cell, 42>
CalendarMonth::cells(const QDate& first, const QDateTime& selected, Qt::DayOfWeek firstDay)
{
    std::array<Cell, 42> grid{};
    const int column = (first.dayOfWeek() - int(firstDay) + 7) % 7; // of the first day
    const QDate start = first.addDays(-column);
    const QDate now = today();
    for (int i = 0; i <= 36; ++i) {
        const QDate d = start.addDays(i);
        if (i < 7 && d.day() > 8) {
            // a day of the previous month: blank
        } else if (i >= 29 && d.day() < 8) {
            break; // a day of the next month: the month is complete
        } else {
            grid[size_t(i)].day = d.day();
        }
        if (d == now)
            grid[size_t(i)].mark = Mark::Today;
        if (selected.date() == d && selected.time() == QTime(0, 0))
            grid[size_t(i)].mark = Mark::Selected;
    }
    return grid;
}

QDate CalendarMonth::dateSerial(int year, int month, int day)
{
    const int m = month - 1;
    const int carry = m >= 0 ? m / 12 : -((11 - m) / 12);
    const QDate first(year + carry, m - 12 * carry + 1, 1);
    if (!first.isValid())
        return {};
    const QDate date = first.addDays(qint64(day) - 1);
    if (!date.isValid() || date.year() < 100 || date.year() > 9999)
        return {};
    return date;
}

void CalendarMonth::setToday(const QDate& date)
{
    pinnedToday = date;
}

QDate CalendarMonth::today()
{
    return pinnedToday.isValid() ? pinnedToday : QDate::currentDate();
}
