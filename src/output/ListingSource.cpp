// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ListingSource.h"

QString ListingSource::pathOf(QStringView name) const
{
    QString path = folderPath;
    if (!path.isEmpty() && !path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    path += name;
    return path;
}

int ListingSource::sizeOnDisk(int record, FileSystem& fs, qint64& size) const
{
    return fs.fileSize(pathOf(model.currentNameOf(record)), size);
}
