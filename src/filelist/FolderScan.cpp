#include "FolderScan.h"

#include "platform/DateText.h"
#include "platform/FileSystem.h"
#include "platform/NumberText.h"

QString FolderScan::folderPathFor(const QString& dr)
{
    return dr.endsWith(QLatin1Char('/')) ? dr : dr + QLatin1Char('/');
}

bool FolderScan::passesFilter(QStringView name, const QString& typeFilter)
{
    if (typeFilter == QLatin1String("*"))
        return true;
    return name.toString().toUpper().indexOf(typeFilter) >= 1;
}

QString FolderScan::filterFromBox(const QString& boxText)
{
    return boxText.toUpper().remove(QLatin1String("*."));
}

QString FolderScan::zerosFor(int fileLast)
{
    int digits = 1;
    for (int limit = 9; digits < 7 && fileLast >= limit; limit = limit * 10 + 9)
        ++digits;
    return QString(digits, QLatin1Char('0'));
}

FolderScan::Result FolderScan::scan(FileSystem& fs, const QString& dr, const QString& typeFilter,
                                    FileListModel::Rows& rows)
{
    Result result;
    result.folderPath = folderPathFor(dr);
    fs.setCurrentFolder(dr);
    const QString zeroDate = DateText::format(DateText::zeroDate());
    // Room for the most rows a scan takes, once; untouched pages cost nothing.
    rows.reserve(MaxIndex + 1, 56);
    QString& arena = rows.arena();

    fs.enumerate(result.folderPath, false, [&](const FileSystem::Entry& e) {
        if (e.name == QLatin1String(".") || e.name == QLatin1String(".."))
            return true;
        if (e.isFolder || !passesFilter(e.name, typeFilter))
            return true;
        ++result.fileLast;
        rows.beginRow();
        // A file that vanished or cannot be read shows the zero creation
        // date, no modified date and no size.
        if (e.statOk)
            DateText::appendFromEpoch(arena, e.created.seconds);
        else
            arena += zeroDate;
        rows.endField(FileListModel::Date1);
        if (e.statOk)
            DateText::appendFromEpoch(arena, e.modified.seconds);
        rows.endField(FileListModel::Date2);
        arena += e.name;
        rows.endField(FileListModel::Source);
        if (e.statOk)
            NumberText::appendGrouped(arena, e.size);
        rows.endField(FileListModel::Size);
        rows.endField(FileListModel::Spare);
        rows.endRow();
        return result.fileLast < MaxIndex;
    });
    return result;
}
