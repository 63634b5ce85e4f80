// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The files of a pass whose dates could not be written, for one message at
// the end of the pass: the first few named with the reason, the others
// counted.
class DateFailures
{
public:
    void clear();
    // code: what writing name's dates gave; a file gone since the scan is
    // passed over here as its rename is.
    void note(const QString& name, int code);
    // The message, or "" when every file's dates were written.
    QString message() const;

private:
    QStringList m_named; // "name: reason", the first few
    int m_count = 0;     // files whose dates were not written
};
