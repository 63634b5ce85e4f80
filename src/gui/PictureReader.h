// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

class FileSystem;
class QPainter;
class QRect;

// Reads the picture files the preview shows: JPEG, GIF, BMP (RLE-compressed
// too, also when named ".rle") and icons through QImageReader, Windows
// metafiles (WMF) through libwmf and enhanced metafiles (EMF) through
// libemf2svg, both converted to SVG and drawn with Qt SVG so they stay sharp
// at any size. The format is told by the file's content, not its name.
//
// A file that cannot be read, or is no picture at all, gives a null Picture.
class PictureReader
{
public:
    struct Picture {
        QImage image;   // a raster picture
        QByteArray svg; // or a metafile converted to SVG
        QSize size;     // its own size in pixels

        bool isNull() const { return size.isEmpty(); }
        // Draws the picture stretched into target.
        void draw(QPainter& painter, const QRect& target) const;
    };

    // Reads the file through the platform's file services, so names that
    // are not UTF-8 work. Files over 256 MiB are not read.
    static Picture read(const QString& path, FileSystem& fs);
    static Picture fromBytes(const QByteArray& bytes);

    static bool looksLikeWmf(const QByteArray& bytes);
    static bool looksLikeEmf(const QByteArray& bytes);
    // The metafile as SVG; empty when the library is missing or the file is
    // damaged.
    static QByteArray wmfToSvg(const QByteArray& bytes);
    static QByteArray emfToSvg(const QByteArray& bytes);

private:
    static Picture fromSvg(const QByteArray& svg);
};
