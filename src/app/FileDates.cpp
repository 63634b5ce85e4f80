// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
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
    const QString shown =
        column == FileDates::Creation ? model.creationDateText(0) : model.modifiedDateText(0);
    return shown.compare(pickerText, Qt::CaseInsensitive) == 0 ? pickerText : QString();
}

} // namespace

int FileDates::writeFileDates(FileSystem& fs, const QString& path, const QString& creation,
                              const QString& modified)
{
    FileSystem::Entry entry;
    if (const int rc = fs.stat(path, entry))
        return rc;
    if (entry.isFolder)
        return FileErrors::FileNotFound;
    int result = FileErrors::None;
    const QDateTime m = DateText::parse(modified);
    if (m.isValid())
        result = fs.setModifiedTime(path, {m.toSecsSinceEpoch(), 0});
    const QDateTime c = DateText::parse(creation);
    if (c.isValid()) {
        const int rc = fs.setCreationTime(path, {c.toSecsSinceEpoch(), 0});
        if (result == FileErrors::None)
            result = rc;
    }
    return result;
}

QString FileDates::pendingCreationDate(const FileListModel& model, const QString& pickerText)
{
    return pending(model, Creation, pickerText);
}

QString FileDates::pendingModifiedDate(const FileListModel& model, const QString& pickerText)
{
    return pending(model, Modified, pickerText);
}

QString FileDates::pendingCreationDate(const Session& session)
{
    return pendingCreationDate(session.model(), session.pickerText(Creation));
}

QString FileDates::pendingModifiedDate(const Session& session)
{
    return pendingModifiedDate(session.model(), session.pickerText(Modified));
}

QDateTime FileDates::pickerChanged(FileListModel& model, Column column, const QString& pickerText,
                                   const QDateTime& pickerDate)
{
    const QDateTime parsed = DateText::parse(pickerText);
    const QDateTime date = parsed.isValid() ? parsed : pickerDate;
    const QString text = DateText::format(date.isValid() ? date : DateText::zeroDate());
    for (int record = 0; record < model.recordCount(); ++record) {
        if (column == Creation)
            model.setCreationDateText(record, text);
        else
            model.setModifiedDateText(record, text);
    }
    model.refresh();
    return date;
}

QDateTime FileDates::creationPickerChanged(Session& session, const QString& pickerText,
                                           const QDateTime& pickerDate)
{
    session.setPickerText(Creation, pickerText);
    return pickerChanged(session.model(), Creation, pickerText, pickerDate);
}

QDateTime FileDates::modifiedPickerChanged(Session& session, const QString& pickerText,
                                           const QDateTime& pickerDate)
{
    session.setPickerText(Modified, pickerText);
    return pickerChanged(session.model(), Modified, pickerText, pickerDate);
}
