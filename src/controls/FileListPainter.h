// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// FileListPainter: draws the rows of a FileListView onto its surface: the
// number and the data columns of each record from the top row down, the
// chosen rows in bold over a coloured band (outlined while the list has the
// focus), the new names in bold gold, and the lines between the columns.
// Texts that do not fit their column are cut and end in an ellipsis.

#include "filelist/FileListModel.h"

#include <QColor>
#include <QFont>

#include <array>

class QFontMetricsF;
class QPaintDevice;
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
        bool focused = false;                // the list has the keyboard focus
        std::array<qint16, 7> columnStart{}; // index 1..6
    };

    FileListPainter(const FileListModel& model, const QFont& font, const QColor& background);

    // Paints the surface starting with the text colour `color`, and returns
    // the colour the last row ended with: a chosen row keeps the colour the
    // row before it ended with.
    QColor paint(QPainter& painter, const Layout& layout, const QColor& color) const;

    // The text data column 1..6 shows for a record in a column `width`
    // pixels wide, cut as it is drawn (in bold on a chosen row).
    QString shownText(int column, int record, int width, bool chosen,
                      const QPaintDevice* device) const;
    // text cut to fit a column `width` pixels wide, an ellipsis at its end.
    static QString fitted(const QString& text, const QFontMetricsF& metrics, int width);

private:
    const FileListModel& m_model;
    QFont m_font;
    QColor m_background;
};
