// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "NumberText.h"

#include "DateText.h"

#include <algorithm>

QString NumberText::grouped(qint64 value)
{
    QString out;
    appendGrouped(out, value);
    return out;
}

void NumberText::appendGrouped(QString& out, qint64 value)
{
    const QString separator = DateText::groupSeparator();
    char16_t buffer[48];
    int n = 0;
    quint64 v = value < 0 ? quint64(-(value + 1)) + 1 : quint64(value);
    int digits = 0;
    // Written backwards, then appended in one go.
    do {
        if (digits && digits % 3 == 0)
            for (qsizetype i = separator.size() - 1; i >= 0; --i)
                buffer[n++] = separator[i].unicode();
        buffer[n++] = char16_t(u'0' + v % 10);
        v /= 10;
        ++digits;
    } while (v);
    if (value < 0)
        out += DateText::locale().negativeSign();
    std::reverse(buffer, buffer + n);
    out.append(reinterpret_cast<const QChar*>(buffer), n);
}

bool NumberText::parse(QStringView text, qint64& value)
{
    bool ok = false;
    value = DateText::locale().toLongLong(text, &ok);
    if (!ok)
        value = text.toLongLong(&ok);
    return ok;
}
