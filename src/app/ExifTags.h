// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>

#include <memory>
#include <optional>

class FileSystem;

// The metadata block (EXIF) of a picture, read with libexif through the
// program's file system layer, so names that are not UTF-8 work too. Tags are
// named as the EXIF standard names them: DateTimeOriginal, DateTimeDigitized
// and DateTime are dates; Make, Model and every other tag read as text.
class ExifTags
{
public:
    // The tags of the file at path; none when it has no metadata block or
    // cannot be read.
    static ExifTags read(FileSystem& fs, const QString& path);

    static bool isTag(const QString& name);     // a tag name libexif knows
    static bool isDateTag(const QString& name); // DateTime, DateTimeOriginal, DateTimeDigitized

    // The tag's text, blanks around it removed; no value when the file has
    // no such tag or it is empty.
    std::optional<QString> text(const QString& name) const;
    // A date tag as local time; no value when missing or not a date.
    std::optional<QDateTime> date(const QString& name) const;

private:
    std::shared_ptr<struct _ExifData> m_data;
};
