// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

class FileSystem;

// The checksum of a file's bytes in hex (lower case), read through the file
// system layer: md5, sha1, sha256 or crc32 (the one of zip and PNG).
class FileHash
{
public:
    enum class Kind { Md5, Sha1, Sha256, Crc32 };
    static std::optional<Kind> kindNamed(const QString& name);
    static const char* kindList() { return "md5, sha1, sha256, crc32"; }

    // No value when the file cannot be read.
    static std::optional<QString> of(FileSystem& fs, const QString& path, Kind kind);
};
