// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The reference pictures of the controls' looks, in tests/controls/reference.
// A look is compared pixel by pixel, transparency included. After a
// deliberate change of a look, run the test with QUILLON_WRITE_REFERENCES=1
// in the environment: it writes the pictures anew (and passes); check them by
// eye before committing them.

#include <QImage>
#include <QString>
#include <QtGlobal>

inline bool matchesReference(const QImage& image, const QString& name)
{
    const QString path = QStringLiteral(QUILLON_SOURCE_DIR "/tests/controls/reference/") + name +
                         QStringLiteral(".png");
    if (qEnvironmentVariableIsSet("QUILLON_WRITE_REFERENCES"))
        return image.save(path);
    const QImage reference = QImage(path).convertToFormat(image.format());
    if (reference != image)
        qWarning("%s differs from %s", qPrintable(name), qPrintable(path));
    return reference == image;
}
