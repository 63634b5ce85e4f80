#pragma once

#include <QDateTime>
#include <QString>

class FileSystem;

// Helpers shared by several windows.
namespace Module1
{

// The text without its extension: everything before the last ".".
QString Loadp(const QString& text);
// The file's creation time in local time, to the second; the zero date when
// it cannot be read.
QDateTime GetCreationDate(FileSystem& fs, const QString& path);

} // namespace Module1
