// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

// What a rename pass did: how many files it was to rename, how many it
// renamed, and every file it left under its name with the reason. A pass
// that renamed every file ends with "Renaming Completed"; any other ends
// with the summary, so that no failure hides behind that text.
class PassReport
{
public:
    struct Failure {
        QString name; // the file's name now
        QString reason;
    };

    void start() { *this = PassReport(); }
    void tried() { ++m_tried; }
    void renamed() { ++m_renamed; }
    void notRenamed(const QString& name, const QString& reason)
    {
        m_failures.append({name, reason});
    }
    // The files after the one where the pass stopped.
    void notReached(int files) { m_notReached += files; }

    bool allRenamed() const { return m_failures.isEmpty() && m_notReached == 0; }
    int triedCount() const { return m_tried; }
    int renamedCount() const { return m_renamed; }
    const QList<Failure>& failures() const { return m_failures; }

    // "12 of 120 renamed; 108 not renamed:" and a line "name: reason" for
    // the first `shown` failures (all for -1), then "... and N more".
    QString summary(int shown) const;

    // The reason for a failed rename's file error code.
    static QString reasonFor(int code, const QString& target);
    static QString takenReason(const QString& target);
    // The reason for attributes that could not be set.
    static QString attributesReason(int code);

private:
    int m_tried = 0;
    int m_renamed = 0;
    int m_notReached = 0;
    QList<Failure> m_failures;
};
