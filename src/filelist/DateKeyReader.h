#pragma once

#include <QString>
#include <QStringView>

#include <optional>
#include <vector>

// Reads the texts of a date column into fixed-point date keys (see SortKeys).
//
// The date texts of the list all come from DateText in one pattern, so the
// reader compiles that pattern once and matches each text against it
// directly; reading a million dates through the locale's general parser would
// take many seconds. A text that does not fit the pattern goes to
// DateText::parse, so every text the program accepts as a date still sorts.
class DateKeyReader
{
public:
    DateKeyReader();
    // The key, or no value when the text is not a date.
    std::optional<qint64> read(QStringView text) const;

private:
    struct Token {
        enum Kind { Literal, Day, Month, Year, Hour12, Hour24, Minute, Second, AmPm };
        Kind kind;
        QString text; // of a literal
    };
    struct Fields {
        int day = 1, month = 1, year = 1, hour = 0, minute = 0, second = 0;
        int pm = -1; // -1 no marker, 0 before noon, 1 after
    };

    static bool compile(const QString& pattern, std::vector<Token>& out);
    bool match(const std::vector<Token>& tokens, QStringView text, qsizetype& at, Fields& f) const;
    std::optional<qint64> readFast(QStringView text) const;

    std::vector<Token> m_date;
    std::vector<Token> m_time;
    QString m_am;
    QString m_pm;
    bool m_fast = false;
    bool m_twelveHour = false;
};
