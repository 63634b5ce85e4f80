// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "DatePattern.h"

#include <QRegularExpression>
#include <QStringList>

#include <functional>

namespace
{

// Runs edit over the parts of a pattern outside its quoted literals, so a
// literal such as 'h' or 'at' is left as it is.
QString outsideQuotes(const QString& pattern, const std::function<QString(QString)>& edit)
{
    const QStringList parts = pattern.split(QLatin1Char('\''));
    QString out;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (i > 0)
            out += QLatin1Char('\'');
        out += i % 2 ? parts[i] : edit(parts[i]);
    }
    return out;
}

bool hasAmPm(const QString& pattern)
{
    bool found = false;
    outsideQuotes(pattern, [&found](QString part) {
        found = found || part.contains(QLatin1Char('a')) || part.contains(QLatin1Char('A'));
        return part;
    });
    return found;
}

int runLength(const QString& p, qsizetype i)
{
    int n = 1;
    while (i + n < p.size() && p[i + n] == p[i])
        ++n;
    return n;
}

} // namespace

QString DatePattern::widenYear(QString pattern)
{
    // "yy" alone becomes "yyyy"; a pattern that already has four stays.
    if (!pattern.contains(QLatin1String("yyyy")))
        pattern.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return pattern;
}

// The time to the second without its time zone, which the texts do not
// carry: "H:mm:ss (t)" becomes "H:mm:ss", "h:mm:ss AP, t" becomes "h:mm:ss AP".
// A day period ("B", as in "Bh:mm:ss") is written as the AM/PM marker, and a
// twelve-hour clock left without any marker becomes a 24-hour one: a text
// must never leave the half of the day open.
QString DatePattern::timeWithoutZone(const QString& pattern)
{
    static const QRegularExpression zone(QStringLiteral("\\(t+\\)|\\[t+\\]|t+"));
    static const QRegularExpression dayPeriod(QStringLiteral("B+"));
    static const QRegularExpression loose(QStringLiteral("^[\\s,]+|[\\s,]+$"));
    QString out = outsideQuotes(pattern, [](QString part) { return part.remove(zone); });
    const bool marker = hasAmPm(out);
    out = outsideQuotes(out, [marker](QString part) {
        return marker ? part.remove(dayPeriod) : part.replace(dayPeriod, QStringLiteral("AP"));
    });
    if (!hasAmPm(out))
        out = outsideQuotes(out, [](QString part) { return part.replace(u'h', u'H'); });
    return out.remove(loose);
}

std::vector<DatePattern::Token> DatePattern::tokenize(const QString& p)
{
    std::vector<Token> out;
    auto literal = [&out](const QString& s) {
        if (!out.empty() && out.back().kind == Token::Literal)
            out.back().text += s;
        else
            out.push_back({Token::Literal, s});
    };
    for (qsizetype i = 0; i < p.size();) {
        const QChar c = p[i];
        const int n = runLength(p, i);
        if (c == QLatin1Char('\'')) {
            const qsizetype end = p.indexOf(QLatin1Char('\''), i + 1);
            const qsizetype stop = end < 0 ? p.size() : end;
            literal(p.mid(i + 1, stop - i - 1));
            i = stop + 1;
            continue;
        }
        Token::Kind kind = Token::Literal;
        int used = n;
        switch (c.unicode()) {
        case 'd':
            kind = n >= 2 ? Token::Day2 : Token::Day;
            used = qMin(n, 2);
            break;
        case 'M':
            kind = n >= 4   ? Token::MonthName
                   : n == 3 ? Token::MonthShortName
                   : n == 2 ? Token::Month2
                            : Token::Month;
            break;
        case 'y':
            kind = n >= 4 ? Token::Year4 : Token::Year2;
            break;
        case 'h':
            kind = n >= 2 ? Token::Hour12_2 : Token::Hour12;
            break;
        case 'H':
            kind = n >= 2 ? Token::Hour24_2 : Token::Hour24;
            break;
        case 'm':
            kind = n >= 2 ? Token::Minute2 : Token::Minute;
            break;
        case 's':
            kind = n >= 2 ? Token::Second2 : Token::Second;
            break;
        case 'A':
            kind = Token::AmPmUpper;
            used = (i + 1 < p.size() && p[i + 1] == QLatin1Char('P')) ? 2 : 1;
            break;
        case 'a':
            kind = Token::AmPmLower;
            used = (i + 1 < p.size() && p[i + 1] == QLatin1Char('p')) ? 2 : 1;
            break;
        default:
            break;
        }
        if (kind == Token::Literal)
            literal(p.mid(i, n));
        else
            out.push_back({kind, {}});
        i += used;
    }
    return out;
}
