// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later

// quillon-cli --template: the whole input is the template. A template that
// is refused says why; one that is taken makes the new names of a picture
// with metadata (its model holds a "/") and of a plain file, and no name it
// makes holds "/".

#include "ExifJpeg.h"
#include "FuzzInput.h"

#include "ListRows.h"
#include "app/NameTemplate.h"
#include "filelist/FileListModel.h"
#include "platform/PosixFileSystem.h"

#include <QFile>
#include <QTemporaryDir>

namespace
{

struct Folder {
    QTemporaryDir dir;
    PosixFileSystem fs;
    QString path = dir.path() + QLatin1Char('/');
    Folder()
    {
        QFile picture(path + QStringLiteral("IMG_0042.JPG"));
        FUZZ_CHECK(picture.open(QIODevice::WriteOnly));
        picture.write(exifJpeg(
            {{EXIF_TAG_DATE_TIME_ORIGINAL, "2024:07:14 10:30:00"}, {EXIF_TAG_MODEL, "X100/F"}}));
        QFile plain(path + QStringLiteral("notes"));
        FUZZ_CHECK(plain.open(QIODevice::WriteOnly));
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Folder folder;
    const FuzzInput in(data, size);
    QString why;
    const std::optional<NameTemplate> made =
        NameTemplate::create(QString::fromUtf8(in.bytes()), why);
    if (!made) {
        FUZZ_CHECK(!why.isEmpty());
        return 0;
    }
    QStringList rows{QStringLiteral("|||IMG_0042.JPG||"), QStringLiteral("|||notes||")};
    FileListModel model;
    model.setRows(ListRows::fromTexts(rows));
    made->applyTo(model, model.lastIndex(), folder.fs, folder.path,
                  [](const QString&, const QString&) {});
    for (int k = 0; k <= model.lastIndex(); ++k)
        FUZZ_CHECK(!model.newNameAt(k).contains(QLatin1Char('/')));
    return 0;
}
