// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QChar>
#include <QString>
#include <QStringView>

// What a file name is made of, in one place: the stem (the name without its
// last dot and what follows), the extension (from that dot on) and the
// characters a name typed into the program may not hold. The dots a name
// starts with never begin an extension (".bashrc" has none, ".config.json"
// has ".json"). A path is split at its last "/" first, so a dot in a folder
// name is no extension. Every part of the program that splits a name asks
// here.
class FileName
{
public:
    static QStringView stem(QStringView name);
    static QStringView extension(QStringView name); // "" when the name has no dot

    // False for | * " / : < > ? and backslash, which a name typed into the
    // window or given to quillon-cli cannot hold.
    static bool isAllowed(QChar c);
    static bool isAllowed(QStringView text);
    static QString withoutForbidden(QString text);
    static QString forbiddenList() { return QStringLiteral("| * \" / : < > ? \\"); }

    // True for a name of one entry inside a folder: not empty, not "." or
    // "..", and holding neither "/" nor a NUL character. A rename to anything
    // else would leave the folder or fail.
    static bool isPlainName(QStringView name);

private:
    static qsizetype lastDot(QStringView name);
};
