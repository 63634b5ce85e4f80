// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FieldText.h"

#include "FileNameCodec.h"

namespace
{

bool needsEscape(char16_t c)
{
    return c == u'\\' || c == u'\t' || c == u'\r' || c == u'\n';
}

char escapeLetter(char16_t c)
{
    return c == u'\\' ? '\\' : c == u'\t' ? 't' : c == u'\r' ? 'r' : 'n';
}

} // namespace

void FieldText::appendEscaped(QString& out, QStringView field)
{
    // Runs without a character to escape are appended whole.
    qsizetype from = 0;
    for (qsizetype i = 0; i < field.size(); ++i) {
        const char16_t c = field[i].unicode();
        if (!needsEscape(c))
            continue;
        out += field.mid(from, i - from);
        out += QLatin1Char('\\');
        out += QLatin1Char(escapeLetter(c));
        from = i + 1;
    }
    out += field.mid(from);
}

// The four escaped characters are ASCII, and in UTF-8 (and among the bytes
// the codec keeps) an ASCII byte only ever stands for itself: escaping the
// encoded bytes gives what encoding the escaped text gives. An ASCII name,
// nearly every name, is sized exactly and copied without the codec.
void FieldText::appendEscapedBytes(QByteArray& out, const QString& field)
{
    const char16_t* s = reinterpret_cast<const char16_t*>(field.utf16());
    const qsizetype n = field.size();
    qsizetype escapes = 0;
    for (qsizetype i = 0; i < n; ++i) {
        if (s[i] >= 0x80) {
            for (const char b : FileNameCodec::encode(field)) {
                const char16_t c = uchar(b);
                if (needsEscape(c))
                    out.append('\\').append(escapeLetter(c));
                else
                    out += b;
            }
            return;
        }
        escapes += needsEscape(s[i]);
    }
    const qsizetype start = out.size();
    out.resize(start + n + escapes);
    char* p = out.data() + start;
    for (qsizetype i = 0; i < n; ++i) {
        if (needsEscape(s[i])) {
            *p++ = '\\';
            *p++ = escapeLetter(s[i]);
        } else {
            *p++ = char(s[i]);
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
