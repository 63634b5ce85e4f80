// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>

#include <libexif/exif-data.h>

#include <cstdlib>
#include <cstring>

// A picture file as a camera starts it: the JPEG start marker, an APP1
// segment holding an EXIF block made with libexif, and the end marker. Tags
// are given as (tag, ASCII value), e.g. {EXIF_TAG_MODEL, "X100"}.
inline QByteArray exifJpeg(const QList<QPair<ExifTag, QByteArray>>& tags)
{
    ExifData* data = exif_data_new();
    exif_data_set_byte_order(data, EXIF_BYTE_ORDER_INTEL);
    for (const auto& [tag, value] : tags) {
        const bool date = tag == EXIF_TAG_DATE_TIME_ORIGINAL || tag == EXIF_TAG_DATE_TIME_DIGITIZED;
        ExifEntry* entry = exif_entry_new();
        exif_content_add_entry(data->ifd[date ? EXIF_IFD_EXIF : EXIF_IFD_0], entry);
        entry->tag = tag;
        entry->format = EXIF_FORMAT_ASCII;
        entry->components = entry->size = unsigned(value.size() + 1);
        entry->data = static_cast<unsigned char*>(calloc(1, entry->size));
        memcpy(entry->data, value.constData(), size_t(value.size()));
        exif_entry_unref(entry);
    }
    unsigned char* block = nullptr;
    unsigned int size = 0;
    exif_data_save_data(data, &block, &size);
    exif_data_unref(data);
    QByteArray jpeg("\xFF\xD8\xFF\xE1", 4);
    jpeg += char((size + 2) >> 8);
    jpeg += char((size + 2) & 0xFF);
    jpeg += QByteArray(reinterpret_cast<const char*>(block), int(size));
    jpeg += QByteArray("\xFF\xD9", 2);
    free(block);
    return jpeg;
}
