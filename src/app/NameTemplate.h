// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <atomic>
#include <functional>
#include <optional>
#include <vector>

class FileListModel;
class FileSystem;

// A new name built from tokens (quillon-cli --template), in place of the
// pattern box:
//   {n}  the list position from 1      {n:3}  the same, at least 3 digits
//   {name}  the current name without its extension
//   {ext}   its extension with the dot (from the last "."; empty without one)
//   {created:FORMAT} {modified:FORMAT}  the file's dates, Qt date format
//   {exif:TAG:FORMAT}  a date tag of the picture's metadata
//   {exif:TAG}         a text tag (Model, Make)
//   {exif:TAG|text}    either, with the text for a file without the tag
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

private:
    enum class Kind { Text, Number, Name, Ext, Created, Modified, ExifDate, ExifText };
    struct Token {
        Kind kind = Kind::Text;
        QString text;   // literal text, the tag name
        QString format; // date format
        std::optional<QString> fallback;
        int width = 0;
    };
    static std::optional<Token> token(const QString& inside, QString& why);

    std::vector<Token> m_tokens;
    bool m_needsStat = false;
    bool m_needsExif = false;
};
