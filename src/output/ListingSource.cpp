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
    FileSystem::Entry entry;
    const int rc = fs.stat(pathOf(model.sourceNameOf(record)), entry);
    size = entry.size;
    return rc;
}
