// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <vector>

// A locale's date or time pattern ("M/d/yy", "h:mm:ss AP t") read once into
// tokens, so that DateText formats and reads a row with a few appends and
// compares instead of a parse of the pattern. The one reader of the
// patterns: the writer and the reader of date texts both use its tokens.
class DatePattern
{
public:
    // A date or time pattern split once into tokens, so formatting a row costs a
    // few appends instead of a parse of the locale's pattern.
    struct Token {
        enum Kind {
            Literal,
            Day,
            Day2,
            Month,
            Month2,
            MonthShortName,
            MonthName,
            Year4,
            Year2,
            Hour12,
            Hour12_2,
            Hour24,
            Hour24_2,
            Minute,
            Minute2,
            Second,
            Second2,
            AmPmUpper,
            AmPmLower
        };
        Kind kind;
        QString text;
    };

    // "yy" alone becomes "yyyy"; a pattern that already has four stays.
    static QString widenYear(QString pattern);
    // The time to the second without its time zone, which the texts do not
    // carry (see the definition for the rules).
    static QString timeWithoutZone(const QString& pattern);
    static std::vector<Token> tokenize(const QString& pattern);
};
