#include "DateKeyReader.h"

#include "SortKeys.h"
#include "platform/DateText.h"

#include <QDate>

#include <algorithm>

DateKeyReader::DateKeyReader()
{
    const QLocale locale = DateText::locale();
    m_am = locale.amText();
    m_pm = locale.pmText();
    m_fast = compile(DateText::datePattern(), m_date) && compile(DateText::timePattern(), m_time);
    m_twelveHour = std::any_of(m_time.begin(), m_time.end(),
                               [](const Token& t) { return t.kind == Token::Hour12; });
}

// Splits a date or time pattern into fields and literals. Patterns with
// fields the fast reader does not handle (month names, two-digit years)
// return false, and every text then goes to DateText::parse.
bool DateKeyReader::compile(const QString& pattern, std::vector<Token>& out)
{
    auto literal = [&out](const QString& s) {
        if (!out.empty() && out.back().kind == Token::Literal)
            out.back().text += s;
        else
            out.push_back({Token::Literal, s});
    };
    for (qsizetype i = 0; i < pattern.size();) {
        const QChar c = pattern[i];
        qsizetype n = 1;
        while (i + n < pattern.size() && pattern[i + n] == c)
            ++n;
        if (c == QLatin1Char('\'')) {
            const qsizetype end = pattern.indexOf(QLatin1Char('\''), i + 1);
            const qsizetype stop = end < 0 ? pattern.size() : end;
            literal(pattern.mid(i + 1, stop - i - 1));
            i = stop + 1;
            continue;
        }
        Token::Kind kind = Token::Literal;
        switch (c.unicode()) {
        case 'd':
            kind = Token::Day;
            break;
        case 'M':
            kind = Token::Month;
            break;
        case 'y':
            kind = Token::Year;
            break;
        case 'h':
            kind = Token::Hour12;
            break;
        case 'H':
            kind = Token::Hour24;
            break;
        case 'm':
            kind = Token::Minute;
            break;
        case 's':
            kind = Token::Second;
            break;
        case 'A':
        case 'a':
            kind = Token::AmPm;
            n = (i + 1 < pattern.size() && pattern[i + 1].toLower() == QLatin1Char('p')) ? 2 : 1;
            break;
        default:
            break;
        }
        const bool unsupported = (kind == Token::Year && n != 4) ||
                                 (kind != Token::Year && kind != Token::AmPm && n > 2);
        if (unsupported || (kind == Token::Day && n > 2))
            return false;
        if (kind == Token::Literal)
            literal(pattern.mid(i, n));
        else
            out.push_back({kind, {}});
        i += n;
    }
    return true;
}

bool DateKeyReader::match(const std::vector<Token>& tokens, QStringView text, qsizetype& at,
                          Fields& f) const
{
    auto number = [&](int maxDigits, int& value) {
        int digits = 0;
        value = 0;
        while (digits < maxDigits && at < text.size() && text[at] >= QLatin1Char('0') &&
               text[at] <= QLatin1Char('9')) {
            value = value * 10 + (text[at].unicode() - u'0');
            ++at;
            ++digits;
        }
        return digits > 0 && (maxDigits != 4 || digits == 4);
    };
    auto marker = [&](const QString& word) {
        if (word.isEmpty() || text.mid(at, word.size()).compare(word, Qt::CaseInsensitive) != 0)
            return false;
        at += word.size();
        return true;
    };
    for (const Token& t : tokens) {
        bool ok = true;
        switch (t.kind) {
        case Token::Literal:
            ok = text.mid(at, t.text.size()) == t.text;
            at += t.text.size();
            break;
        case Token::Day:
            ok = number(2, f.day);
            break;
        case Token::Month:
            ok = number(2, f.month);
            break;
        case Token::Year:
            ok = number(4, f.year);
            break;
        case Token::Hour12:
            ok = number(2, f.hour) && f.hour >= 1 && f.hour <= 12;
            break;
        case Token::Hour24:
            ok = number(2, f.hour) && f.hour <= 23;
            break;
        case Token::Minute:
            ok = number(2, f.minute) && f.minute <= 59;
            break;
        case Token::Second:
            ok = number(2, f.second) && f.second <= 59;
            break;
        case Token::AmPm:
            f.pm = marker(m_am) ? 0 : marker(m_pm) ? 1 : -2;
            ok = f.pm >= 0;
            break;
        }
        if (!ok)
            return false;
    }
    return true;
}

std::optional<qint64> DateKeyReader::readFast(QStringView text) const
{
    Fields f;
    qsizetype at = 0;
    if (!match(m_date, text, at, f))
        return std::nullopt;
    if (at < text.size()) {
        // A time follows after one blank, as DateText writes it.
        if (text[at] != QLatin1Char(' '))
            return std::nullopt;
        ++at;
        Fields t;
        if (!match(m_time, text, at, t) || at != text.size())
            return std::nullopt;
        if (m_twelveHour != (t.pm >= 0))
            return std::nullopt;
        f.hour = m_twelveHour ? t.hour % 12 + 12 * t.pm : t.hour;
        f.minute = t.minute;
        f.second = t.second;
    }
    const QDate date(f.year, f.month, f.day);
    if (!date.isValid())
        return std::nullopt;
    return SortKeys::dateKey(date, f.hour * 3600 + f.minute * 60 + f.second);
}

std::optional<qint64> DateKeyReader::read(QStringView text) const
{
    if (m_fast) {
        if (const auto key = readFast(text))
            return key;
    }
    const QDateTime parsed = DateText::parse(text.toString());
    if (!parsed.isValid())
        return std::nullopt;
    return SortKeys::dateKey(parsed.date(), parsed.time().msecsSinceStartOfDay() / 1000);
}
