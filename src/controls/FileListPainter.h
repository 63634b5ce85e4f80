// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// FileListPainter: draws the rows of a FileListView onto its surface: the
// number and the data columns of each record from the top row down, the
// chosen rows in bold over a light band, the new names in bold gold, and the
// lines between the columns. Texts that do not fit their column are cut.

#include "filelist/FileListModel.h"

#include <QColor>
#include <QFont>

#include <array>

class QPainter;

class FileListPainter
{
public:
    // Where the rows go, in pixels of the surface.
    struct Layout {
        int width = 0;
        int height = 0;
        int headerHeight = 0;
        int hScroll = 0; // how far the rows are scrolled to the left
        int topRow = 0;
        int lastRow = 0;
        int rowHeight = 1;
        int shownColumns = 0;
        bool currentMarked = false;
        std::array<qint16, 7> columnStart{}; // index 1..6
    };

    FileListPainter(const FileListModel& model, const QFont& font, const QColor& background);

    // Paints the surface starting with the text colour `color`, and returns
    // the colour the last row ended with: a chosen row keeps the colour the
    // row before it ended with.
    QColor paint(QPainter& painter, const Layout& layout, const QColor& color) const;

private:
    const FileListModel& m_model;
    QFont m_font;
    QColor m_background;
};
