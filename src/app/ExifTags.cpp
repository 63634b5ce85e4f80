// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExifTags.h"

#include "platform/FileSystem.h"

#include <libexif/exif-data.h>
#include <libexif/exif-loader.h>

#include <tuple>

namespace
{

ExifTag tagOf(const QString& name)
{
    return exif_tag_from_name(name.toLatin1().constData());
}

} // namespace

ExifTags ExifTags::read(FileSystem& fs, const QString& path)
{
    ExifLoader* loader = exif_loader_new();
    // The loader says when it has the whole block, near the start of a
    // picture, so the rest of the file is never read.
    // A file that cannot be read (or not to its end) has the tags read so
    // far, which for an unreadable file is none: the error itself is no tag.
    std::ignore = fs.readChunks(path, 64 * 1024, [loader](const QByteArray& chunk) {
        QByteArray bytes = chunk;
        return exif_loader_write(loader, reinterpret_cast<unsigned char*>(bytes.data()),
                                 unsigned(bytes.size())) != 0;
    });
    ExifTags tags;
    if (ExifData* data = exif_loader_get_data(loader))
        tags.m_data.reset(data, exif_data_unref);
    exif_loader_unref(loader);
    return tags;
}

bool ExifTags::isTag(const QString& name)
{
    return !name.isEmpty() && tagOf(name) != 0;
}

bool ExifTags::isDateTag(const QString& name)
{
    const ExifTag tag = tagOf(name);
    return !name.isEmpty() && (tag == EXIF_TAG_DATE_TIME || tag == EXIF_TAG_DATE_TIME_ORIGINAL ||
                               tag == EXIF_TAG_DATE_TIME_DIGITIZED);
}

std::optional<QString> ExifTags::text(const QString& name) const
{
    if (!m_data || !isTag(name))
        return std::nullopt;
    ExifEntry* entry = exif_data_get_entry(m_data.get(), tagOf(name));
    if (!entry)
        return std::nullopt;
    char value[1024] = {};
    exif_entry_get_value(entry, value, sizeof value);
    const QString text = QString::fromUtf8(value).trimmed();
    if (text.isEmpty())
        return std::nullopt;
    return text;
}

std::optional<QDateTime> ExifTags::date(const QString& name) const
{
    const std::optional<QString> value = isDateTag(name) ? text(name) : std::nullopt;
    if (!value)
        return std::nullopt;
    // Cameras write "2024:07:14 10:30:00"; one without a clock writes blanks.
    const QDateTime date =
        QDateTime::fromString(value->left(19), QStringLiteral("yyyy:MM:dd HH:mm:ss"));
    if (!date.isValid())
        return std::nullopt;
    return date;
}
