// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The date texts of every locale Qt knows: the first two bytes choose the
// locale, the next eight an epoch second, the rest (after a NUL) a typed date
// text. The typed text is read and parsed as a date box and the sort read
// it; the epoch second is written as the list shows it and must read back to
// the same day and second.

#include "FuzzInput.h"

#include "platform/DateText.h"

#include <QLocale>

#include <cstring>

namespace
{

const QList<QLocale>& locales()
{
    static const QList<QLocale> all = [] {
        QList<QLocale> list{QLocale::c()};
        list += QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript,
                                         QLocale::AnyTerritory);
        return list;
    }();
    return all;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    setenv("TZ", "UTC", 1); // one day has 86,400 seconds in every run
    tzset();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const FuzzInput in(data, size);
    const QByteArray head = in.field(0);
    if (head.size() < 2)
        return 0;
    const int choice = (std::uint8_t(head[0]) << 8 | std::uint8_t(head[1])) % locales().size();
    DateText::setLocale(locales()[choice]);

    if (head.size() >= 10) {
        quint64 raw = 0;
        std::memcpy(&raw, head.constData() + 2, sizeof raw);
        // Years 1 to 9999, what a QDate and a file's time can hold.
        const qint64 seconds = qint64(raw % 315537897600ULL) - 62135596800LL;
        QDate day, read;
        int second = -1, readSecond = -2;
        if (DateText::localDay(seconds, day, second)) {
            const QString text = DateText::fromEpoch(seconds);
            FUZZ_CHECK(DateText::read(text, read, readSecond));
            FUZZ_CHECK(read == day && readSecond == second);
        }
    }

    const QString typed = QString::fromUtf8(in.field(1, true));
    QDate date;
    int second = 0;
    if (DateText::read(typed, date, second))
        FUZZ_CHECK(date.isValid() && second >= 0 && second < 86400);
    (void)DateText::parse(typed);
    return 0;
}
