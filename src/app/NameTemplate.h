// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "NameForms.h"

#include <QList>
#include <QString>

#include <atomic>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

class FileListModel;
class FileSystem;

// A new name built from tokens (quillon-cli --template, the window's
// Template panel), in place of the pattern box; legend() lists them:
//   {n}  the list position from 1      {n:3}  the same, at least 3 digits
//   {name}  the current name without its extension
//   {ext}   its extension with the dot (from the last "."; empty without one)
//   {dir}   the folder's name          {dir:2}  its parent's, and so on
//   {size}  the size in bytes          {size:kb}  in KiB, rounded up
//   {created:FORMAT} {modified:FORMAT}  the file's dates, Qt date format
//   {exif:TAG:FORMAT}  a date tag of the picture's metadata
//   {exif:TAG}         a text tag (Model, Make)
//   {tag:FIELD}        a music tag (artist, album, title, track, year,
//                      genre); {tag:track:2} pads the number to 2 digits
//   {hash:KIND:N}      the first N hex digits of the file's md5, sha1,
//                      sha256 or crc32 (all of them without N)
//   {TOKEN|text}       a tag token with the text for a file without the tag
//   {TOKEN|FILTER}     the value through nfc, nfd, ascii, lower or upper
//                      (NameForms); filters follow each other: {name|ascii|lower}
//   {{ and }}          the braces themselves
// The texts typed around and inside the tokens pass the key filter of the
// pattern box; characters a name cannot hold that come from a file's tags
// become "_".
class NameTemplate
{
public:
    // The template, or no value and why() when a token is unknown or
    // malformed or a text holds a character a name cannot hold.
    static std::optional<NameTemplate> create(const QString& text, QString& why);

    // Writes the new name of every list position 0..fileLast of the files in
    // folder (with "/"). A file that lacks a tag with no fallback keeps its
    // current name, and missing(current name, tag) is called for it. A run
    // stops early, its names half made, once cancel turns true.
    void applyTo(FileListModel& model, int fileLast, FileSystem& fs, const QString& folder,
                 const std::function<void(const QString&, const QString&)>& missing,
                 const std::atomic<bool>* cancel = nullptr) const;

    // The tokens and what each gives, for a person choosing one (the
    // Template panel, the help): {token, meaning} in the order shown.
    static QList<std::pair<QString, QString>> legend();

private:
    enum class Kind {
        Text,
        Number,
        Name,
        Ext,
        Created,
        Modified,
        ExifDate,
        ExifText,
        Dir,
        Size,
        SizeKb,
        MusicTag,
        Hash
    };
    struct Token {
        Kind kind = Kind::Text;
        QString text;   // literal text, the tag name
        QString format; // date format
        std::optional<QString> fallback;
        int width = 0; // digits of {n:3} and {tag:track:2}, the level of {dir:2}, of {hash:K:N}
        std::vector<NameForms::Filter> filters;
    };
    // What applyTo() read of one file for its tokens.
    struct FileFacts;
    static std::optional<Token> token(const QString& inside, QString& why);
    static std::optional<Token> plainToken(Token t, const QString& head, const QString& rest,
                                           QString& problem);
    std::optional<QString> value(const Token& t, int k, const QString& current,
                                 const QString& folder, const FileFacts& facts) const;

    std::vector<Token> m_tokens;
    bool m_needsStat = false;
    bool m_needsExif = false;
    bool m_needsTags = false;
};
