// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

// The file-type filter, as typed in the window's type box or given to
// quillon-cli --filter: shell-style patterns over the whole name. "*" stands
// for any run of characters, "?" for one character, "[...]" for one of a set
// ("[a-c]" a range, "[!...]" or "[^...]" any character but those; a "]"
// right after the opening bracket belongs to the set, and a "[" without its
// "]" is itself). Letter case is ignored. Several patterns are separated by
// ";", blanks around each ignored, and a name passes when one of them
// matches. "*.*" (the type box's first entry), "*" and an empty box pass
// every file. A leading dot is a character like any other, so "*" also
// takes ".bashrc".
class TypeFilter
{
public:
    explicit TypeFilter(const QString& boxText = QString());

    bool passesAll() const { return m_all; }
    bool passes(QStringView name) const;

private:
    QStringList m_patterns; // case-folded
    bool m_all = false;
};
