// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

// Byte counts as the list shows them: whole numbers with the locale's digit
// grouping and no decimals (1,234,567), and back. The separator is taken from
// DateText's locale so both helpers follow the same locale.
class NumberText
{
public:
    static QString grouped(qint64 value);
    static void appendGrouped(QString& out, qint64 value);
    // The number, or no value when the text is not a whole number.
    static bool parse(QStringView text, qint64& value);
};
