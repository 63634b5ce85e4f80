// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>

class FileListModel;
class FileSystem;
class Session;

// Creation and modified dates: the writer of a file's two times, the pending
// dates of the list's two date pickers, and the pickers' change handlers.
//
// A pending date is the text of a picker (the first picker for the creation
// column, the second for the modified column). It counts only while
// record 0 shows exactly that text in the picker's column (letter case
// ignored), so it lapses by itself when the folder is scanned again. Every
// date text goes through DateText: a picker writes DateText::shortDate, and
// the change handler writes the picker's date with DateText::format, which for a date
// at midnight is the same text, so a picked date counts as pending.
class FileDates
{
public:
    enum Column { Creation = 0, Modified = 1 };

    // Writes the modified time from `modified`, then the creation time from
    // `creation`, each only when its text is a date (an empty text leaves
    // that time alone), to any file: hidden, system and read-only ones too.
    // Nothing else changes: attributes and mode stay as they are, so a
    // read-only file stays read-only. Returns the code of the first write
    // that failed (0 when every date asked for was written); a file that is
    // gone, or a folder in its place, gives 53 and is left alone.
    static int writeFileDates(FileSystem& fs, const QString& path, const QString& creation,
                              const QString& modified);

    // The pending creation (pendingCreationDate) or modified (pendingModifiedDate) date: the
    // picker's text when record 0's text in that column equals it, letter
    // case ignored; else "" (also for a list with no records).
    static QString pendingCreationDate(const FileListModel& model, const QString& pickerText);
    static QString pendingModifiedDate(const FileListModel& model, const QString& pickerText);
    static QString pendingCreationDate(const Session& session);
    static QString pendingModifiedDate(const Session& session);

    // The change handler of a date picker, for the list view to call from
    // the picker's Change event:
    //   picker->setDate(FileDates::creationPickerChanged(session, picker->text(),
    //                                                 picker->date()));
    // 1. The picker's date becomes the picker's text read as a date; a text that is no
    //    date (half typed) leaves pickerDate as it was, since the handler passes
    //    errors over.
    // 2. Every record's date text in the column becomes that date as a date
    //    text.
    // 3. The list is redrawn.
    // The Session overloads also keep Session::pickerText() current, which the
    // rename pass reads. Returns the picker's new date.
    static QDateTime creationPickerChanged(Session& session, const QString& pickerText,
                                           const QDateTime& pickerDate);
    static QDateTime modifiedPickerChanged(Session& session, const QString& pickerText,
                                           const QDateTime& pickerDate);
    static QDateTime pickerChanged(FileListModel& model, Column column, const QString& pickerText,
                                   const QDateTime& pickerDate);
};
