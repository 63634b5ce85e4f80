// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A temporary folder filled by the test itself. Paths and names pass through
// the program's file name codec, so names that are not UTF-8 work too.
class TempFolder
{
public:
    TempFolder();
    ~TempFolder(); // removes names Qt cannot decode too
    bool isValid() const { return m_dir.isValid(); }
    QString path() const; // ends in "/"
    QString file(const QString& name) const { return path() + name; }

    // Creates a file with the given bytes; returns false on failure.
    bool write(const QString& name, const QByteArray& bytes = {}) const;
    QByteArray read(const QString& name) const;
    bool exists(const QString& name) const;
    // The names in the folder (files and folders), sorted.
    QStringList names() const;

private:
    QTemporaryDir m_dir;
};
