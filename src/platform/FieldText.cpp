#include "FieldText.h"

void FieldText::appendEscaped(QString& out, QStringView field)
{
    for (QChar c : field) {
        switch (c.unicode()) {
        case '\\':
            out += QLatin1String("\\\\");
            break;
        case '\t':
            out += QLatin1String("\\t");
            break;
        case '\r':
            out += QLatin1String("\\r");
            break;
        case '\n':
            out += QLatin1String("\\n");
            break;
        default:
            out += c;
        }
    }
}

QString FieldText::escaped(QStringView field)
{
    QString out;
    out.reserve(field.size());
    appendEscaped(out, field);
    return out;
}

bool FieldText::unescape(QStringView field, QString& out)
{
    out.clear();
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] != QLatin1Char('\\')) {
            out += field[i];
            continue;
        }
        if (++i == field.size())
            return false;
        switch (field[i].unicode()) {
        case '\\':
            out += QLatin1Char('\\');
            break;
        case 't':
            out += QLatin1Char('\t');
            break;
        case 'r':
            out += QLatin1Char('\r');
            break;
        case 'n':
            out += QLatin1Char('\n');
            break;
        default:
            return false;
        }
    }
    return true;
}

bool FieldText::splitLine(QStringView line, QStringList& fields)
{
    fields.clear();
    QString field;
    for (QStringView part : line.split(QLatin1Char('\t'))) {
        if (!unescape(part, field))
            return false;
        fields << field;
    }
    return true;
}
