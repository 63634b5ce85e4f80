#include "NumberText.h"

#include "DateText.h"

QString NumberText::grouped(qint64 value)
{
    QString out;
    appendGrouped(out, value);
    return out;
}

void NumberText::appendGrouped(QString& out, qint64 value)
{
    const QLocale locale = DateText::locale();
    const QString separator =
        locale.numberOptions() & QLocale::OmitGroupSeparator ? QString() : locale.groupSeparator();
    char digits[24];
    int n = 0;
    quint64 v = value < 0 ? quint64(-(value + 1)) + 1 : quint64(value);
    do {
        digits[n++] = char('0' + v % 10);
        v /= 10;
    } while (v);
    if (value < 0)
        out += locale.negativeSign();
    for (int i = n - 1; i >= 0; --i) {
        out += QLatin1Char(digits[i]);
        if (i > 0 && i % 3 == 0)
            out += separator;
    }
}

bool NumberText::parse(QStringView text, qint64& value)
{
    bool ok = false;
    value = DateText::locale().toLongLong(text, &ok);
    if (!ok)
        value = text.toLongLong(&ok);
    return ok;
}
