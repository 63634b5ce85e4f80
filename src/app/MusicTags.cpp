// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "MusicTags.h"

#include "platform/FileNameCodec.h"

#include <taglib/fileref.h>
#include <taglib/tag.h>

namespace
{

QString fromTagLib(const TagLib::String& text)
{
    return QString::fromStdString(text.to8Bit(true)).trimmed();
}

} // namespace

bool MusicTags::isField(const QString& field)
{
    for (const char* f : {"artist", "album", "title", "track", "year", "genre"})
        if (field == QLatin1String(f))
            return true;
    return false;
}

bool MusicTags::isNumberField(const QString& field)
{
    return field == QLatin1String("track") || field == QLatin1String("year");
}

MusicTags MusicTags::read(const QString& path)
{
    MusicTags tags;
    // TagLib opens by the name's bytes, so a name that is not UTF-8 is found.
    const TagLib::FileRef file(FileNameCodec::encode(path).constData(), false);
    if (file.isNull() || !file.tag())
        return tags;
    const TagLib::Tag* tag = file.tag();
    tags.m_artist = fromTagLib(tag->artist());
    tags.m_album = fromTagLib(tag->album());
    tags.m_title = fromTagLib(tag->title());
    tags.m_genre = fromTagLib(tag->genre());
    tags.m_track = tag->track();
    tags.m_year = tag->year();
    return tags;
}

std::optional<QString> MusicTags::text(const QString& field) const
{
    const auto some = [](const QString& s) {
        return s.isEmpty() ? std::nullopt : std::optional<QString>(s);
    };
    const auto number = [](unsigned n) {
        return n == 0 ? std::nullopt : std::optional<QString>(QString::number(n));
    };
    if (field == QLatin1String("artist"))
        return some(m_artist);
    if (field == QLatin1String("album"))
        return some(m_album);
    if (field == QLatin1String("title"))
        return some(m_title);
    if (field == QLatin1String("genre"))
        return some(m_genre);
    if (field == QLatin1String("track"))
        return number(m_track);
    if (field == QLatin1String("year"))
        return number(m_year);
    return std::nullopt;
}
