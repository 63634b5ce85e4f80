// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileName.h"

#include <algorithm>

qsizetype FileName::lastDot(QStringView name)
{
    // One pass from the end, by hand: the generator asks this of a million
    // names, and two lastIndexOf calls cost more than the rest of a name.
    for (qsizetype i = name.size() - 1; i >= 0; --i) {
        const char16_t c = name[i].unicode();
        if (c == u'/')
            return -1;
        if (c != u'.')
            continue;
        // The dots a name starts with begin no extension: ".bashrc" is all
        // stem, not an empty name with an extension.
        qsizetype before = i - 1;
        while (before >= 0 && name[before].unicode() == u'.')
            --before;
        return before < 0 || name[before].unicode() == u'/' ? -1 : i;
    }
    return -1;
}

QStringView FileName::stem(QStringView name)
{
    const qsizetype dot = lastDot(name);
    return dot < 0 ? name : name.left(dot);
}

QStringView FileName::extension(QStringView name)
{
    const qsizetype dot = lastDot(name);
    return dot < 0 ? QStringView() : name.mid(dot);
}

bool FileName::isAllowed(QChar c)
{
    switch (c.unicode()) {
    case '|':
    case '*':
    case '"':
    case '/':
    case ':':
    case '<':
    case '>':
    case '?':
    case '\\':
        return false;
    default:
        return true;
    }
}

bool FileName::isAllowed(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return isAllowed(c); });
}

bool FileName::isPlainName(QStringView name)
{
    return !name.isEmpty() && name != u"." && name != u".." && !name.contains(u'/') &&
           !name.contains(QChar(0));
}

QString FileName::withoutForbidden(QString text)
{
    text.removeIf([](QChar c) { return !isAllowed(c); });
    return text;
}
