// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileListLook.h"

#include "RenderedButton.h"
#include "controls/PropertyBag.h"

#include <QFrame>
#include <QPalette>

FileListLook::FileListLook()
    : backColor(QPalette().color(QPalette::Button)),
      foreColor(QPalette().color(QPalette::ButtonText)), font(QStringLiteral("Arial"))
{
    font.setPointSizeF(9);
}

void FileListLook::read(const PropertyBag& bag)
{
    const QPalette pal;
    backColor = RenderedButton::colorValue(bag.read(QStringLiteral("BackGroundColor")),
                                           pal.color(QPalette::Button));
    foreColor = RenderedButton::colorValue(bag.read(QStringLiteral("ForeColor")),
                                           pal.color(QPalette::ButtonText));
    font.setItalic(bag.read(QStringLiteral("FontItalic"), false).toBool());
    const QString family = bag.read(QStringLiteral("FontName"), QStringLiteral("Arial")).toString();
    if (!family.isEmpty())
        font.setFamily(family);
    const qreal size = bag.read(QStringLiteral("FontSize"), 9).toDouble();
    font.setPointSizeF(size > 0 ? size : 9);
    font.setStrikeOut(bag.read(QStringLiteral("FontStrikethru"), false).toBool());
    font.setUnderline(bag.read(QStringLiteral("FontUnderline"), false).toBool());
    borderType = qint16(bag.read(QStringLiteral("BorderType"), 0).toInt());
}

void FileListLook::mainWindowDesign(PropertyBag& bag)
{
    // The system's window background, which Qt calls Base (white, as the browser).
    bag.write(QStringLiteral("BackGroundColor"), QPalette().color(QPalette::Base));
    bag.write(QStringLiteral("ForeColor"), QColor(Qt::black));
    bag.write(QStringLiteral("BorderType"), 2);
    bag.write(QStringLiteral("FontSize"), 12);
}

// The background colour stays as it was: only the frame changes.
void FileListLook::applyBorder(QFrame& frame) const
{
    switch (borderType) {
    case 1:
        frame.setFrameStyle(QFrame::Box | QFrame::Plain);
        frame.setLineWidth(1);
        break;
    case 2:
        frame.setFrameStyle(QFrame::Panel | QFrame::Sunken);
        frame.setLineWidth(2);
        break;
    default:
        frame.setFrameStyle(QFrame::NoFrame);
        break;
    }
}
