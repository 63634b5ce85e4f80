// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "filelist/FileListModel.h"

#include <QStringList>

// Lists written the short way in tests: one text per row,
// "created|modified|name|new name|size|spare", fields left out being empty.
namespace ListRows
{

inline FileListModel::Rows fromTexts(const QStringList& texts)
{
    FileListModel::Rows rows;
    for (const QString& text : texts) {
        QStringList fields = text.split(QLatin1Char('|'));
        while (fields.size() < 6)
            fields << QString();
        rows.append(fields[0], fields[1], fields[2], fields[3], fields[4], fields[5]);
    }
    return rows;
}

// A record's five shown fields joined by commas, to compare whole rows.
inline QString commaText(const FileListModel& model, int record)
{
    return QStringList{model.creationDateText(record), model.modifiedDateText(record),
                       model.currentNameOf(record).toString(), model.newNameOf(record),
                       model.sizeText(record)}
        .join(QLatin1Char(','));
}

} // namespace ListRows
