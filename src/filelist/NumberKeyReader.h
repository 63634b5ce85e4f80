// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QChar>
#include <QLocale>
#include <QStringView>

#include <optional>

// Reads the texts of a number column (sizes such as "1,234,567", or decimal
// numbers) into fixed-point keys of ten-thousandths, with the locale of the
// program's date and number helpers, so what the scan wrote reads back.
class NumberKeyReader
{
public:
    NumberKeyReader();
    // The key, or no value when the text is not a number in the locale.
    std::optional<qint64> read(QStringView text) const;

private:
    std::optional<qint64> readPlain(QStringView text) const;

    QLocale m_locale;
    QChar m_group;
    QChar m_decimal;
    QChar m_minus;
};
