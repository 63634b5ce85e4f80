// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PictureReader.h"

#include "platform/FileSystem.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>
#include <QtEndian>

#ifdef QUILLON_HAVE_WMF
#include <libwmf/api.h>
#include <libwmf/svg.h>
#endif
#ifdef QUILLON_HAVE_EMF2SVG
#include <emf2svg.h>
#endif

namespace
{

constexpr qint64 MaxPictureBytes = 256 * 1024 * 1024;

} // namespace

void PictureReader::Picture::draw(QPainter& painter, const QRect& target) const
{
    if (!svg.isEmpty()) {
        QSvgRenderer renderer(svg);
        renderer.render(&painter, QRectF(target));
    } else if (!image.isNull()) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(target, image);
    }
}

PictureReader::Picture PictureReader::read(const QString& path, FileSystem& fs)
{
    QByteArray bytes;
    bool tooBig = false;
    const int rc = fs.readChunks(path, 1 << 20, [&](const QByteArray& chunk) {
        bytes += chunk;
        tooBig = bytes.size() > MaxPictureBytes;
        return !tooBig;
    });
    if (rc != 0 || tooBig)
        return {};
    return fromBytes(bytes);
}

PictureReader::Picture PictureReader::fromBytes(const QByteArray& bytes)
{
    if (looksLikeWmf(bytes))
        return fromSvg(wmfToSvg(bytes));
    if (looksLikeEmf(bytes))
        return fromSvg(emfToSvg(bytes));
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    Picture picture;
    if (reader.read(&picture.image))
        picture.size = picture.image.size();
    return picture;
}

PictureReader::Picture PictureReader::fromSvg(const QByteArray& svg)
{
    if (svg.isEmpty())
        return {};
    QSvgRenderer renderer(svg);
    if (!renderer.isValid())
        return {};
    Picture picture;
    picture.svg = svg;
    picture.size = renderer.defaultSize();
    return picture;
}

bool PictureReader::looksLikeWmf(const QByteArray& bytes)
{
    if (bytes.size() < 18)
        return false;
    const auto* p = reinterpret_cast<const uchar*>(bytes.constData());
    if (qFromLittleEndian<quint32>(p) == 0x9AC6CDD7u)
        return true; // the placeable header
    const quint16 type = qFromLittleEndian<quint16>(p);
    const quint16 headerWords = qFromLittleEndian<quint16>(p + 2);
    const quint16 version = qFromLittleEndian<quint16>(p + 4);
    return (type == 1 || type == 2) && headerWords == 9 && (version == 0x0100 || version == 0x0300);
}

bool PictureReader::looksLikeEmf(const QByteArray& bytes)
{
    if (bytes.size() < 88)
        return false;
    const auto* p = reinterpret_cast<const uchar*>(bytes.constData());
    return qFromLittleEndian<quint32>(p) == 1 && qFromLittleEndian<quint32>(p + 40) == 0x464D4520u;
}

#ifdef QUILLON_HAVE_WMF
QByteArray PictureReader::wmfToSvg(const QByteArray& bytes)
{
    wmfAPI* api = nullptr;
    wmfAPI_Options options{};
    options.function = wmf_svg_function;
    const unsigned long flags =
        WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
    if (wmf_api_create(&api, flags, &options) != wmf_E_None) {
        if (api)
            wmf_api_destroy(api);
        return {};
    }
    QByteArray svg;
    QByteArray input = bytes; // the library wants a writable buffer
    wmfD_Rect bbox;
    unsigned int width = 0, height = 0;
    if (wmf_mem_open(api, reinterpret_cast<unsigned char*>(input.data()), long(input.size())) ==
            wmf_E_None &&
        wmf_scan(api, 0, &bbox) == wmf_E_None &&
        wmf_display_size(api, &width, &height, 96, 96) == wmf_E_None && width > 0 && height > 0) {
        wmf_svg_t* device = WMF_SVG_GetData(api);
        device->out = wmf_stream_create(api, nullptr);
        device->Description = const_cast<char*>("Quillon preview");
        device->bbox = bbox;
        device->width = width;
        device->height = height;
        device->flags |= WMF_SVG_INLINE_IMAGES;
        const bool played = wmf_play(api, 0, &bbox) == wmf_E_None;
        char* buffer = nullptr;
        unsigned long length = 0;
        wmf_stream_destroy(api, device->out, &buffer, &length);
        if (played && buffer)
            svg = QByteArray(buffer, qsizetype(length));
    }
    wmf_api_destroy(api);
    return svg;
}
#else
QByteArray PictureReader::wmfToSvg(const QByteArray&)
{
    return {};
}
#endif

#ifdef QUILLON_HAVE_EMF2SVG
QByteArray PictureReader::emfToSvg(const QByteArray& bytes)
{
    generatorOptions options{};
    options.nameSpace = const_cast<char*>("svg");
    options.emfplus = true;
    options.svgDelimiter = true;
    QByteArray input = bytes;
    char* out = nullptr;
    size_t length = 0;
    const int ok = emf2svg(input.data(), size_t(input.size()), &out, &length, &options);
    QByteArray svg;
    if (ok && out)
        svg = QByteArray(out, qsizetype(length));
    free(out);
    return svg;
}
#else
QByteArray PictureReader::emfToSvg(const QByteArray&)
{
    return {};
}
#endif
