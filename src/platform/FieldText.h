#pragma once

#include <QString>
#include <QStringView>

// A text as one field of a tab-separated line: backslash, tab, CR and LF are
// written as \\, \t, \r and \n, so any file name (Linux allows all four)
// fits on one line and reads back whole. quillon-cli's listings and the undo
// file both use it.
namespace FieldText
{

void appendEscaped(QString& out, QStringView field);
inline QString escaped(QStringView field)
{
    QString out;
    out.reserve(field.size());
    appendEscaped(out, field);
    return out;
}

// The reverse of appendEscaped; false when field holds another escape or a
// lone backslash at its end.
bool unescape(QStringView field, QString& out);

} // namespace FieldText
