// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "DateText.h"

#include "DatePattern.h"

#include <QRegularExpression>
#include <QTimeZone>

#include <ctime>
#include <functional>
#include <iterator>
#include <vector>

namespace
{

using Token = DatePattern::Token;

struct Patterns {
    QLocale locale;
    QString date;
    QString time;
    std::vector<Token> dateTokens;
    std::vector<Token> timeTokens;
    QString amUpper, pmUpper, amLower, pmLower;
    QString shortMonths[12], longMonths[12];
    QString groupSeparator;
};

QLocale pinnedLocale;
bool pinned = false;

// Whether dates are written as under the C locale (C, C.UTF-8, POSIX): the
// locale itself, or for the system locale the one that chooses its date
// formats (LC_ALL, then LC_TIME, then LANG), which may differ from its
// language (LANG=en_US.UTF-8 with LC_TIME=C).
bool cDates(const QLocale& locale)
{
    if (locale.language() == QLocale::C)
        return true;
    if (locale != QLocale::system())
        return false;
    QByteArray time = qgetenv("LC_ALL");
    if (time.isEmpty())
        time = qgetenv("LC_TIME");
    if (time.isEmpty())
        time = qgetenv("LANG");
    return time == "C" || time == "POSIX" || time.startsWith("C.");
}

Patterns buildPatterns(const QLocale& locale)
{
    Patterns p;
    p.locale = locale;
    if (cDates(locale)) {
        // C, C.UTF-8 and POSIX (the default of many machines and services):
        // Qt's "d MMM yyyy" is no short date, so the texts are ISO-like,
        // sort as text and read the same everywhere.
        p.date = QStringLiteral("yyyy-MM-dd");
        p.time = QStringLiteral("HH:mm:ss");
    } else {
        p.date = DatePattern::widenYear(locale.dateFormat(QLocale::ShortFormat));
        p.time = DatePattern::timeWithoutZone(locale.timeFormat(QLocale::LongFormat));
    }
    p.dateTokens = DatePattern::tokenize(p.date);
    p.timeTokens = DatePattern::tokenize(p.time);
    p.groupSeparator =
        locale.numberOptions() & QLocale::OmitGroupSeparator ? QString() : locale.groupSeparator();
    for (int m = 0; m < 12; ++m) {
        p.shortMonths[m] = locale.monthName(m + 1, QLocale::ShortFormat);
        p.longMonths[m] = locale.monthName(m + 1, QLocale::LongFormat);
    }
    p.amUpper = locale.amText().toUpper();
    p.pmUpper = locale.pmText().toUpper();
    p.amLower = locale.amText().toLower();
    p.pmLower = locale.pmText().toLower();
    return p;
}

// One copy per thread: the sort reads date texts on every core, and a
// locale change rebuilds only the calling thread's copy.
const Patterns& patterns()
{
    static thread_local Patterns cached = buildPatterns(QLocale());
    static thread_local QLocale cachedFor = QLocale();
    const QLocale wanted = pinned ? pinnedLocale : QLocale();
    if (wanted != cachedFor) {
        cached = buildPatterns(wanted);
        cachedFor = wanted;
    }
    return cached;
}

// Formatting writes into a small buffer and appends once: a million rows
// must not pay a QString growth check per character.
struct Buffer {
    char16_t data[128];
    int size = 0;
    void add(char16_t c)
    {
        if (size < int(std::size(data)))
            data[size++] = c;
    }
    void add(const QString& text)
    {
        for (QChar c : text)
            add(c.unicode());
    }
};

void appendNumber(Buffer& out, int value, int width)
{
    char buf[12];
    int n = 0;
    unsigned v = unsigned(value < 0 ? -value : value);
    do {
        buf[n++] = char('0' + v % 10);
        v /= 10;
    } while (v);
    while (n < width)
        buf[n++] = '0';
    if (value < 0)
        out.add(u'-');
    while (n)
        out.add(char16_t(buf[--n]));
}

void appendTokens(Buffer& out, const std::vector<Token>& tokens, const std::tm& t,
                  const Patterns& p)
{
    const int hour12 = t.tm_hour % 12 == 0 ? 12 : t.tm_hour % 12;
    for (const Token& tok : tokens) {
        switch (tok.kind) {
        case Token::Literal:
            out.add(tok.text);
            break;
        case Token::Day:
            appendNumber(out, t.tm_mday, 1);
            break;
        case Token::Day2:
            appendNumber(out, t.tm_mday, 2);
            break;
        case Token::Month:
            appendNumber(out, t.tm_mon + 1, 1);
            break;
        case Token::Month2:
            appendNumber(out, t.tm_mon + 1, 2);
            break;
        case Token::MonthShortName:
            out.add(p.shortMonths[t.tm_mon]);
            break;
        case Token::MonthName:
            out.add(p.longMonths[t.tm_mon]);
            break;
        case Token::Year4:
            appendNumber(out, t.tm_year + 1900, 4);
            break;
        case Token::Year2:
            appendNumber(out, (t.tm_year + 1900) % 100, 2);
            break;
        case Token::Hour12:
            appendNumber(out, hour12, 1);
            break;
        case Token::Hour12_2:
            appendNumber(out, hour12, 2);
            break;
        case Token::Hour24:
            appendNumber(out, t.tm_hour, 1);
            break;
        case Token::Hour24_2:
            appendNumber(out, t.tm_hour, 2);
            break;
        case Token::Minute:
            appendNumber(out, t.tm_min, 1);
            break;
        case Token::Minute2:
            appendNumber(out, t.tm_min, 2);
            break;
        case Token::Second:
            appendNumber(out, t.tm_sec, 1);
            break;
        case Token::Second2:
            appendNumber(out, t.tm_sec, 2);
            break;
        case Token::AmPmUpper:
            out.add(t.tm_hour < 12 ? p.amUpper : p.pmUpper);
            break;
        case Token::AmPmLower:
            out.add(t.tm_hour < 12 ? p.amLower : p.pmLower);
            break;
        }
    }
}

// Reading is the mirror of appendTokens, so every text written here reads
// back whatever the locale (Qt's own parser refuses some locales' texts).
struct Fields {
    int year = 1, month = 1, day = 1, hour = 0, minute = 0, second = 0;
    int half = -1; // -1 no AM/PM marker read, 0 before noon, 1 after
    bool twelveHour = false;
};

bool readNumber(QStringView text, qsizetype& at, int minDigits, int maxDigits, int& value)
{
    int digits = 0;
    value = 0;
    while (digits < maxDigits && at < text.size() && text[at] >= u'0' && text[at] <= u'9') {
        value = value * 10 + (text[at].unicode() - u'0');
        ++at;
        ++digits;
    }
    return digits >= minDigits;
}

bool readWord(QStringView text, qsizetype& at, const QString& word)
{
    if (word.isEmpty() || text.mid(at, word.size()).compare(word, Qt::CaseInsensitive) != 0)
        return false;
    at += word.size();
    return true;
}

// The longest of twelve names at `at` (a short name may begin a long one).
bool readMonth(QStringView text, qsizetype& at, const QString (&names)[12], int& month)
{
    qsizetype best = 0;
    for (int m = 0; m < 12; ++m) {
        if (names[m].size() > best &&
            text.mid(at, names[m].size()).compare(names[m], Qt::CaseInsensitive) == 0) {
            best = names[m].size();
            month = m + 1;
        }
    }
    at += best;
    return best > 0;
}

bool readTokens(const std::vector<Token>& tokens, QStringView text, qsizetype& at,
                const Patterns& p, Fields& f)
{
    for (const Token& tok : tokens) {
        bool ok = true;
        switch (tok.kind) {
        case Token::Literal:
            ok = text.mid(at, tok.text.size()) == tok.text;
            at += tok.text.size();
            break;
        case Token::Day:
        case Token::Day2:
            ok = readNumber(text, at, 1, 2, f.day);
            break;
        case Token::Month:
        case Token::Month2:
            ok = readNumber(text, at, 1, 2, f.month);
            break;
        case Token::MonthShortName:
            ok = readMonth(text, at, p.shortMonths, f.month);
            break;
        case Token::MonthName:
            ok = readMonth(text, at, p.longMonths, f.month);
            break;
        case Token::Year4:
            ok = readNumber(text, at, 4, 4, f.year);
            break;
        case Token::Year2:
            ok = false; // the patterns are widened to four digits
            break;
        case Token::Hour12:
        case Token::Hour12_2:
            f.twelveHour = true;
            ok = readNumber(text, at, 1, 2, f.hour) && f.hour >= 1 && f.hour <= 12;
            break;
        case Token::Hour24:
        case Token::Hour24_2:
            ok = readNumber(text, at, 1, 2, f.hour) && f.hour <= 23;
            break;
        case Token::Minute:
        case Token::Minute2:
            ok = readNumber(text, at, 1, 2, f.minute) && f.minute <= 59;
            break;
        case Token::Second:
        case Token::Second2:
            ok = readNumber(text, at, 1, 2, f.second) && f.second <= 59;
            break;
        case Token::AmPmUpper:
        case Token::AmPmLower:
            f.half = readWord(text, at, p.amUpper) ? 0 : readWord(text, at, p.pmUpper) ? 1 : -1;
            ok = f.half >= 0;
            break;
        }
        if (!ok)
            return false;
    }
    return true;
}

void appendTm(QString& out, const std::tm& t)
{
    const Patterns& p = patterns();
    Buffer buffer;
    appendTokens(buffer, p.dateTokens, t, p);
    if (t.tm_hour || t.tm_min || t.tm_sec) {
        buffer.add(u' ');
        appendTokens(buffer, p.timeTokens, t, p);
    }
    out.append(reinterpret_cast<const QChar*>(buffer.data), buffer.size);
}

// Local time of an epoch second. Files of one folder mostly share a few days,
// so the offset of the last day seen is kept: within that day, where the
// offset is the same at both ends, the broken-down time is plain arithmetic.
// The time zone the C library has loaded. tzset() (which Qt calls too) may
// load another one while the program runs, e.g. after the person moved the
// machine to another zone; a day worked out in the old one is then no longer
// the local day.
struct LoadedZone {
    long offset = 0;
    const char* names[2] = {nullptr, nullptr};
    bool operator==(const LoadedZone&) const = default;
};

LoadedZone loadedZone()
{
    return {::timezone, {::tzname[0], ::tzname[1]}};
}

bool localTime(qint64 seconds, std::tm& out)
{
    // One day per thread: the sort reads dates on every core.
    static thread_local qint64 dayStart = 1, dayEnd = 0; // empty to begin with
    static thread_local std::tm dayTm{};
    static thread_local LoadedZone dayZone;
    if (seconds >= dayStart && seconds < dayEnd && loadedZone() == dayZone) {
        const int inDay = int(seconds - dayStart);
        out = dayTm;
        out.tm_hour = inDay / 3600;
        out.tm_min = inDay / 60 % 60;
        out.tm_sec = inDay % 60;
        return true;
    }
    const std::time_t tt = std::time_t(seconds);
    if (!localtime_r(&tt, &out))
        return false;
    const qint64 start = seconds - (out.tm_hour * 3600 + out.tm_min * 60 + out.tm_sec);
    std::tm endTm{};
    const std::time_t last = std::time_t(start + 86399);
    if (localtime_r(&last, &endTm) && endTm.tm_gmtoff == out.tm_gmtoff &&
        endTm.tm_mday == out.tm_mday) {
        dayStart = start;
        dayEnd = start + 86400;
        dayTm = out;
        dayZone = loadedZone();
    }
    return true;
}

std::tm toTm(const QDateTime& dt)
{
    const QDateTime local = dt.toLocalTime();
    std::tm t{};
    t.tm_year = local.date().year() - 1900;
    t.tm_mon = local.date().month() - 1;
    t.tm_mday = local.date().day();
    t.tm_hour = local.time().hour();
    t.tm_min = local.time().minute();
    t.tm_sec = local.time().second();
    return t;
}

} // namespace

void DateText::setLocale(const QLocale& locale)
{
    pinnedLocale = locale;
    pinned = true;
}

QLocale DateText::locale()
{
    return patterns().locale;
}

QString DateText::groupSeparator()
{
    return patterns().groupSeparator;
}

QString DateText::datePattern()
{
    return patterns().date;
}

QString DateText::timePattern()
{
    return patterns().time;
}

QString DateText::format(const QDateTime& dateTime)
{
    QString out;
    appendTm(out, toTm(dateTime));
    return out;
}

QString DateText::shortDate(const QDate& date)
{
    std::tm t{};
    t.tm_year = date.year() - 1900;
    t.tm_mon = date.month() - 1;
    t.tm_mday = date.day();
    QString out;
    appendTm(out, t);
    return out;
}

QString DateText::fromEpoch(qint64 seconds)
{
    QString out;
    out.reserve(24);
    appendFromEpoch(out, seconds);
    return out;
}

void DateText::appendFromEpoch(QString& out, qint64 seconds)
{
    std::tm t{};
    if (!localTime(seconds, t)) {
        appendTm(out, toTm(QDateTime::fromSecsSinceEpoch(seconds)));
        return;
    }
    appendTm(out, t);
}

bool DateText::localDay(qint64 seconds, QDate& date, int& secondOfDay)
{
    std::tm t{};
    if (!localTime(seconds, t))
        return false;
    date = QDate(t.tm_year + 1900, t.tm_mon + 1, t.tm_mday);
    secondOfDay = t.tm_hour * 3600 + t.tm_min * 60 + t.tm_sec;
    return date.isValid();
}

bool DateText::read(QStringView text, QDate& date, int& secondOfDay)
{
    const Patterns& p = patterns();
    Fields f;
    qsizetype at = 0;
    if (!readTokens(p.dateTokens, text, at, p, f))
        return false;
    if (at < text.size()) {
        // A time follows after one blank, as appendTm writes it.
        if (text[at] != u' ')
            return false;
        ++at;
        if (!readTokens(p.timeTokens, text, at, p, f) || at != text.size())
            return false;
        if (f.twelveHour)
            f.hour = f.hour % 12 + 12 * f.half;
    }
    date = QDate(f.year, f.month, f.day);
    secondOfDay = f.hour * 3600 + f.minute * 60 + f.second;
    return date.isValid();
}

QDateTime DateText::parse(const QString& text)
{
    const QString s = text.trimmed();
    if (s.isEmpty())
        return {};
    QDate date;
    int second = 0;
    if (read(s, date, second))
        return QDateTime(date, QTime(0, 0).addSecs(second));
    const Patterns& p = patterns();
    QDateTime dt = p.locale.toDateTime(s, p.date + QLatin1Char(' ') + p.time);
    if (dt.isValid())
        return dt;
    const QDate d = p.locale.toDate(s, p.date);
    if (d.isValid())
        return d.startOfDay();
    dt = QDateTime::fromString(s, Qt::ISODate);
    if (dt.isValid())
        return dt;
    const QDate iso = QDate::fromString(s, Qt::ISODate);
    if (iso.isValid())
        return iso.startOfDay();
    // A short date typed with a two-digit year, as the locale writes it.
    const QDate shortYear = p.locale.toDate(s, QLocale::ShortFormat);
    if (shortYear.isValid())
        return shortYear.startOfDay();
    return {};
}

QDateTime DateText::zeroDate()
{
    return QDateTime(QDate(1899, 12, 30), QTime(0, 0));
}
