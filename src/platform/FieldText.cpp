#include "FieldText.h"

void FieldText::appendEscaped(QString& out, QStringView field)
{
    // Runs without a character to escape are appended whole.
    qsizetype from = 0;
    for (qsizetype i = 0; i < field.size(); ++i) {
        const char16_t c = field[i].unicode();
        if (c > u'\\' || (c != u'\\' && c != u'\t' && c != u'\r' && c != u'\n'))
            continue;
        out += field.mid(from, i - from);
        out += QLatin1Char('\\');
        out += QLatin1Char(c == u'\\' ? '\\' : c == u'\t' ? 't' : c == u'\r' ? 'r' : 'n');
        from = i + 1;
    }
    out += field.mid(from);
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
