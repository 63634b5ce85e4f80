#include "Module1.h"

#include "filelist/FileListModel.h"
#include "platform/DateText.h"
#include "platform/FileSystem.h"

QString Module1::Loadp(const QString& text)
{
    return FileListModel::NameExt(text);
}

QDateTime Module1::GetCreationDate(FileSystem& fs, const QString& path)
{
    FileSystem::Time t;
    if (fs.creationTime(path, t) != 0)
        return DateText::zeroDate();
    return QDateTime::fromSecsSinceEpoch(t.seconds).toLocalTime();
}
