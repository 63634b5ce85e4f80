// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QRegularExpression>
#include <QString>

#include <optional>

class FileListModel;

// Regular-expression replace in the proposed new names (quillon-cli --regex
// PATTERN --with TEMPLATE): every match of the pattern in a name is replaced
// by the template, where \0 to \9 insert the match and its groups and \\ a
// backslash; any other character, a backslash before anything else included,
// stays as typed. The pattern is Perl-compatible and case-sensitive unless it
// says (?i) itself or is made without matchCase.
class RegexReplace
{
public:
    // The replace for a pattern and template, or no value with why() telling
    // the fault: a pattern that does not compile (with the position of the
    // fault) or a template naming a group the pattern does not have.
    // matchCase false: letters match in either case, as (?i) says. fault,
    // when given, gets the engine's own words and the position (from 0) of a
    // fault in the pattern (at -1 for none).
    struct Fault {
        QString words;
        qsizetype at = -1;
    };
    static std::optional<RegexReplace> create(const QString& pattern, const QString& with,
                                              QString& why, bool matchCase = true,
                                              Fault* fault = nullptr);

    // The name with every match replaced. A name on which the engine gives
    // up (too much backtracking, such as "^(a|aa)+$" on forty a's) comes back
    // as it was, with gaveUp set.
    QString apply(const QString& name, bool* gaveUp = nullptr) const;
    // Applies the replace to the new name of every list position
    // 0..fileLast; returns the positions whose names the engine gave up on.
    QList<int> applyTo(FileListModel& model, int fileLast) const;

private:
    struct Piece {
        QString text;   // literal text, when group < 0
        int group = -1; // the group inserted
    };
    RegexReplace() = default;

    QRegularExpression m_pattern;
    std::vector<Piece> m_template;
};
