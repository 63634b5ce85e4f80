// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>

// The one place that turns dates into texts and back, so that what the folder
// scan writes, what a date picker writes and what the sort parses always agree.
//
// A date text is the locale's short date format widened to a four-digit year
// ("M/d/yy" becomes "M/d/yyyy"), followed by a blank and the time to the second
// (the locale's long time format without its time zone) unless the time is
// exactly midnight. Under the C locale (C, C.UTF-8, POSIX) the texts are
// "yyyy-MM-dd HH:mm:ss". Every text written here reads back to the same second
// in every locale (read() mirrors the writer). The zero date (30 December 1899, midnight) stands
// for "no date". The patterns are worked out once per locale; formatting from epoch seconds does
// not go through QDateTime, so a million rows format quickly.
class DateText
{
public:
    // The locale whose formats are used; QLocale() (the default locale) unless
    // a caller pins another one.
    static void setLocale(const QLocale& locale);
    static QLocale locale();

    static QString datePattern();    // e.g. "M/d/yyyy"
    static QString timePattern();    // e.g. "h:mm:ss AP"
    static QString groupSeparator(); // of the same locale, for sizes

    static QString format(const QDateTime& dateTime); // local time
    static QString shortDate(const QDate& date);      // the date part alone
    // Seconds since the Unix epoch (UTC), shown in local time.
    static QString fromEpoch(qint64 seconds);
    // Appends the text of fromEpoch() to out without temporaries.
    static void appendFromEpoch(QString& out, qint64 seconds);

    // The local date and second of day of an epoch second, as fromEpoch()
    // shows them; false when the C library cannot say.
    static bool localDay(qint64 seconds, QDate& date, int& secondOfDay);

    // A text exactly as format() writes it in the current locale: its date
    // and the second of that day (0 for a date alone). Quick and without
    // allocation, for reading a million texts of a date column.
    static bool read(QStringView text, QDate& date, int& secondOfDay);

    // A date text (with or without time), the locale's own date and time
    // formats, or an ISO 8601 text (also with a blank for the "T"); an invalid
    // QDateTime when the text is not a date.
    static QDateTime parse(const QString& text);
    static bool isDate(const QString& text) { return parse(text).isValid(); }

    static QDateTime zeroDate(); // 30 December 1899, midnight, local time
};
