// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// File names on Linux are bytes: anything but "/" and NUL, not always UTF-8.
// Qt's own conversion turns bytes that are not UTF-8 into U+FFFD and so loses
// the name. This codec decodes valid UTF-8 as usual and keeps every other byte
// as a lone surrogate U+DC80..U+DCFF, which encode() turns back into the same
// byte: every name survives the round trip and stays addressable.
namespace FileNameCodec
{

QString decode(const char* bytes, qsizetype length);
inline QString decode(const QByteArray& bytes)
{
    return decode(bytes.constData(), bytes.size());
}
QByteArray encode(const QString& name);

} // namespace FileNameCodec
