// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// FileListLook: the saved look of a FileListView: its colours, font and
// border, read from and written to the window's saved properties under the
// keys BackGroundColor, ForeColor, FontItalic, FontName, FontSize,
// FontStrikethru, FontUnderline and BorderType.

#include <QColor>
#include <QFont>

class PropertyBag;
class QFrame;

struct FileListLook {
    FileListLook();

    QColor backColor;
    QColor foreColor;
    QFont font;
    int fontCharset = 0; // kept only: Qt fonts cover every script
    qint16 borderType = 0;

    // Missing keys take the control's defaults.
    void read(const PropertyBag& bag);
    // Gives the list's frame the border of borderType: 0 none, 1 a line, 2 3-D.
    void applyBorder(QFrame& frame) const;
    // The saved settings of the main window's list.
    static void mainWindowDesign(PropertyBag& bag);
};
