#include "FileDates.h"

#include "Session.h"
#include "filelist/FileListModel.h"
#include "platform/DateText.h"
#include "platform/FileErrors.h"
#include "platform/FileSystem.h"

namespace
{

QString pending(const FileListModel& model, FileDates::Column column, const QString& pickerText)
{
    if (pickerText.isEmpty() || model.recordCount() == 0)
        return QString();
    const QString shown = column == FileDates::Creation ? model.dateText1(0) : model.dateText2(0);
    return shown.compare(pickerText, Qt::CaseInsensitive) == 0 ? pickerText : QString();
}

} // namespace

bool FileDates::SetFileDates(FileSystem& fs, const QString& path, const QString& creation,
                             const QString& modified)
{
    if (!fs.findName(path))
        return false;
    fs.setAttributes(path, FileSystem::Normal);
    // The modified time is written first, then the creation time; the result
    // is that of the last write tried.
    bool result = false;
    const QDateTime m = DateText::parse(modified);
    if (m.isValid())
        result = fs.setModifiedTime(path, {m.toSecsSinceEpoch(), 0}) == FileErrors::None;
    const QDateTime c = DateText::parse(creation);
    if (c.isValid())
        result = fs.setCreationTime(path, {c.toSecsSinceEpoch(), 0}) == FileErrors::None;
    return result;
}

QString FileDates::GetDate1(const FileListModel& model, const QString& pickerText)
{
    return pending(model, Creation, pickerText);
}

QString FileDates::GetDate2(const FileListModel& model, const QString& pickerText)
{
    return pending(model, Modified, pickerText);
}

QString FileDates::GetDate1(const Session& session)
{
    return GetDate1(session.model(), session.pickerText(Creation));
}

QString FileDates::GetDate2(const Session& session)
{
    return GetDate2(session.model(), session.pickerText(Modified));
}

QDateTime FileDates::CalanderChange(FileListModel& model, Column column, const QString& pickerText,
                                    const QDateTime& theDate)
{
    const QDateTime parsed = DateText::parse(pickerText);
    const QDateTime date = parsed.isValid() ? parsed : theDate;
    const QString text = DateText::format(date.isValid() ? date : DateText::zeroDate());
    for (int record = 0; record < model.recordCount(); ++record) {
        if (column == Creation)
            model.FileDateChange1(record, text);
        else
            model.FileDateChange2(record, text);
    }
    model.ListRefresh();
    return date;
}

QDateTime FileDates::CalanderChange1(Session& session, const QString& pickerText,
                                     const QDateTime& theDate)
{
    session.setPickerText(Creation, pickerText);
    return CalanderChange(session.model(), Creation, pickerText, theDate);
}

QDateTime FileDates::CalanderChange2(Session& session, const QString& pickerText,
                                     const QDateTime& theDate)
{
    session.setPickerText(Modified, pickerText);
    return CalanderChange(session.model(), Modified, pickerText, theDate);
}
