// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

// The tags of a music file, read with TagLib (ID3v1 and ID3v2 of MP3,
// Vorbis comments of FLAC, Ogg Vorbis and Opus, the atoms of M4A) for the
// name template's {tag:...} tokens. A file TagLib cannot read has none.
class MusicTags
{
public:
    // The fields a template can name.
    static bool isField(const QString& field);
    static bool isNumberField(const QString& field); // track, year
    static const char* fieldList() { return "artist, album, title, track, year, genre"; }

    static MusicTags read(const QString& path);

    // The field's text; no value where the file lacks it (an empty text, a
    // track or year of 0).
    std::optional<QString> text(const QString& field) const;

private:
    QString m_artist, m_album, m_title, m_genre;
    unsigned m_track = 0, m_year = 0;
};
