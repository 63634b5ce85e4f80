// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtShellOpen.h"

#include "platform/FileNameCodec.h"

#include <QDesktopServices>
#include <QUrl>

void QtShellOpen::open(const QString& path)
{
    // The URL is built from the name's bytes, so a name that is not UTF-8
    // reaches the desktop unchanged instead of as replacement characters.
    const QByteArray bytes = FileNameCodec::encode(path).toPercentEncoding("/");
    QDesktopServices::openUrl(QUrl::fromEncoded("file://" + bytes, QUrl::StrictMode));
}
