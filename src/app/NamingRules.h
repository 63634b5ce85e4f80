// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// Every input that decides the new names of a list, as one value: what the
// window's boxes and panels hold and what quillon-cli's naming options set.
// NamingOrder runs them in their one order; both front ends fill this value
// and hand it over, so they cannot make different names from the same
// inputs.
struct NamingRules {
    QString pattern = QStringLiteral("New_Filename_#"); // the generator; "#" is the number
    std::optional<QString> padding;                     // "000"; none: the scan's choice
    QString extension = QStringLiteral(".???");         // ".???" keeps each file's own
    QString replaceText;                                // the generator's replace pair
    QString replaceWith;
    std::optional<QString> templateText;  // tokens (NameTemplate) in place of the pattern
    std::optional<QString> expression;    // a regular expression over the names made
    QString expressionWith;               // what each match becomes (\0..\9 its groups)
    bool matchCase = true;                // the expression tells letter case apart
    QString filter = QStringLiteral("*"); // the file types listed (TypeFilter)
    QStringList sort;       // header clicks in order: no, created, modified, name, newname, size,
                            // natural, taken
    bool swaps = false;     // files may take names other listed files give up
    QString normalize;      // "nfc" or "nfd": every proposal in that Unicode form; "": as made
    bool fitLength = false; // proposals over 255 bytes shortened by their stem (NameForms)

    bool operator==(const NamingRules&) const = default;
};
