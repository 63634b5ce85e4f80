// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// CalendarMonth: the dates behind the date picker's month grid: the
// platform's date-from-parts rule, today's date (which tests pin) and the
// 6 x 7 cells of a month, its weeks starting on the locale's first day.

#include <QDate>
#include <QDateTime>

#include <array>

class CalendarMonth
{
public:
    enum class Mark { Plain, Today, Selected };
    struct Cell {
        int day = 0; // 0: blank
        Mark mark = Mark::Plain;
    };

    // The cells of the month that starts on `first`: blank cells before the
    // first day and after the last. Today is marked (also in a blank cell of
    // the previous month); the selected date, when it is a midnight, is
    // marked over today.
    static std::array<Cell, 42> cells(const QDate& first, const QDateTime& selected,
                                      Qt::DayOfWeek firstDay = Qt::Sunday);

    // Months roll into years, days into months: (2020, 2, 31) is 2 March
    // 2020; invalid outside the years 100..9999.
    static QDate dateSerial(int year, int month, int day);
    // Today's date; an invalid date returns to the system clock.
    static void setToday(const QDate& date);
    static QDate today();
};
