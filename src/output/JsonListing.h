// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

#include <functional>

class FileListModel;

// The plan as JSON lines, for scripts (quillon-cli list --format json): one
// object per list position in the shown order,
//   {"no":1,"created":"2021-03-01T12:00:00Z","modified":"...","size":10,
//    "name":"a.txt","new":"b.txt","collides":false}
// dates in ISO 8601 with their offset (null where the file could not be
// read, as its size), names as UTF-8. A byte of a name that is not UTF-8 is
// written as the escape \udcXX of its lone surrogate (FileNameCodec), which
// Python's surrogateescape turns back into the same byte.
namespace JsonListing
{

// Calls write with a few thousand lines at a time, joined by "\n".
void write(const FileListModel& model, int lastPosition,
           const std::function<void(const QString&)>& write);
void appendString(QString& out, QStringView text);

} // namespace JsonListing
