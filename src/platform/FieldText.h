// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>

// A text as one field of a tab-separated line: backslash, tab, CR and LF are
// written as \\, \t, \r and \n, so any file name (Linux allows all four)
// fits on one line and reads back whole. quillon-cli's listings, the rename
// journal and the undo record all write and read their fields here, so the
// escaping and its reverse cannot drift apart.
class FieldText
{
public:
    static void appendEscaped(QString& out, QStringView field);
    static QString escaped(QStringView field);
    // The same field as file name bytes: appendEscaped, then
    // FileNameCodec::encode, in one step and without a QString in between.
    static void appendEscapedBytes(QByteArray& out, const QString& field);

    // The reverse of appendEscaped; false when field holds another escape or
    // a lone backslash at its end.
    static bool unescape(QStringView field, QString& out);
    // One line split at its tabs, every field unescaped; false on a bad escape.
    static bool splitLine(QStringView line, QStringList& fields);
};
