#include "FolderScan.h"

#include "platform/DateText.h"
#include "platform/FileSystem.h"
#include "platform/NameOrder.h"
#include "platform/NumberText.h"

#include <tuple>

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

namespace
{

// What the scan keeps of a file until the files are in name order; the names
// themselves go into one text, so a million files cost no million texts.
struct Found {
    qint64 created;
    qint64 modified;
    qint64 size;
    quint32 nameAt; // in the names text
    quint32 nameSize;
    bool statOk;
};

} // namespace

FolderScan::Result FolderScan::scan(FileSystem& fs, const QString& dr, const QString& typeFilter,
                                    FileListModel::Rows& rows)
{
    Result result;
    result.folderPath = folderPathFor(dr);
    // A folder that cannot be entered or listed shows no files.
    std::ignore = fs.setCurrentFolder(dr);
    // Room for the most files a scan takes, once, as for the rows below:
    // pages that are never written cost nothing.
    std::vector<Found> found;
    found.reserve(MaxIndex + 1);
    QString names;
    names.reserve(16 * (MaxIndex + 1));
    std::ignore = fs.enumerate(result.folderPath, false, [&](const FileSystem::Entry& e) {
        if (e.name == QLatin1String(".") || e.name == QLatin1String(".."))
            return true;
        if (e.isFolder || !passesFilter(e.name, typeFilter))
            return true;
        // One file beyond the most the list takes is enough to know that
        // some are left out.
        if (found.size() > size_t(MaxIndex)) {
            result.leftOut = true;
            return false;
        }
        found.push_back({e.created.seconds, e.modified.seconds, e.size, quint32(names.size()),
                         quint32(e.name.size()), e.statOk});
        names += e.name;
        return true;
    });
    result.fileLast = int(found.size()) - 1;

    const QChar* text = names.constData();
    const std::vector<quint32> order =
        NameOrder::order(quint32(found.size()), [&found, text](quint32 i) {
            return QStringView(text + found[i].nameAt, found[i].nameSize);
        });

    const QString zeroDate = DateText::format(DateText::zeroDate());
    // Room for the most rows a scan takes, once; untouched pages cost nothing.
    rows.reserve(MaxIndex + 1, 56);
    QString& arena = rows.arena();
    for (size_t k = 0; k < order.size(); ++k) {
        // The files are read in name order, not in memory order: ask for the
        // ones a few rows ahead early, so the row in hand does not wait.
        if (k + 8 < order.size()) {
            const Found& ahead = found[order[k + 8]];
            __builtin_prefetch(&ahead);
            __builtin_prefetch(text + ahead.nameAt);
        }
        const Found& f = found[order[k]];
        rows.beginRow();
        // A file that vanished or cannot be read shows the zero creation
        // date, no modified date and no size.
        if (f.statOk)
            DateText::appendFromEpoch(arena, f.created);
        else
            arena += zeroDate;
        rows.endField(FileListModel::Date1);
        if (f.statOk)
            DateText::appendFromEpoch(arena, f.modified);
        rows.endField(FileListModel::Date2);
        arena.append(text + f.nameAt, f.nameSize);
        rows.endField(FileListModel::Source);
        if (f.statOk)
            NumberText::appendGrouped(arena, f.size);
        rows.endField(FileListModel::Size);
        rows.endField(FileListModel::Spare);
        rows.endRow();
    }
    return result;
}
