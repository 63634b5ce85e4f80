// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileListPainter.h"

#include "Twips.h"
#include "filelist/ListColumns.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace
{

constexpr int TextMargin = 20;      // room left at the end of a cut text
constexpr int HighlightHeight = 15; // the band behind a chosen row
const QColor NewNameColor(170, 134, 1);
const QColor CollisionColor(204, 0, 0); // a proposal the pass cannot give
const QColor HighlightColor(250, 250, 250);
const QColor LightLineColor(224, 224, 224);

// Prints the cells of the rows with the running font and colour, as the rows
// are drawn one after another.
struct RowPrinter {
    QPainter& painter;
    QFont regular;
    QFont bold;
    QFontMetricsF regularMetrics;
    QFontMetricsF boldMetrics;
    bool isBold = false;
    QColor color;

    RowPrinter(QPainter& p, const QFont& font, const QColor& start)
        : painter(p), regular(weighted(font, false)), bold(weighted(font, true)),
          regularMetrics(regular, p.device()), boldMetrics(bold, p.device()), color(start)
    {
    }
    static QFont weighted(QFont font, bool isBold)
    {
        font.setBold(isBold);
        return font;
    }
    const QFontMetricsF& metrics() const { return isBold ? boldMetrics : regularMetrics; }
    void setStyle(bool boldText, const QColor& c)
    {
        isBold = boldText;
        color = c;
    }
    void print(double x, int y, const QString& text)
    {
        painter.setFont(isBold ? bold : regular);
        painter.setPen(color);
        painter.drawText(QPointF(x, y + metrics().ascent()), text);
    }
    // The first characters of text that fit width less the margin, by a
    // proportional estimate from the width of the whole text; nothing when
    // the column is narrower than the margin.
    void printCut(double x, int y, const QString& text, int width)
    {
        if (text.isEmpty())
            return;
        const double whole = metrics().horizontalAdvance(text);
        const qsizetype length = text.size();
        const qsizetype k =
            whole > 0 ? qsizetype(Twips::roundEven(double(length) * (width - TextMargin) / whole))
                      : length;
        if (k >= length)
            print(x, y, text);
        else if (k > 0)
            print(x, y, text.left(k));
    }
    int lineHeight() const { return int(std::ceil(metrics().lineSpacing())); }
};

} // namespace

FileListPainter::FileListPainter(const FileListModel& model, const QFont& font,
                                 const QColor& background)
    : m_model(model), m_font(font), m_background(background)
{
}

QColor FileListPainter::paint(QPainter& painter, const Layout& l, const QColor& color) const
{
    const int h = l.hScroll;
    const auto& start = l.columnStart;
    painter.fillRect(0, 0, l.width, l.height, m_background);
    RowPrinter rows(painter, m_font, color);
    const int last = std::min(l.lastRow, m_model.recordCount() - 1);
    const int shown = std::min(l.shownColumns, 5);
    int y = l.headerHeight;
    for (int r = l.topRow; r <= last; ++r) {
        const int rec = m_model.recordAt(r);
        if (m_model.selected(rec) || (rec == m_model.currentRecord() && l.currentMarked)) {
            rows.isBold = true;
            painter.fillRect(0, y, l.width, HighlightHeight, HighlightColor);
        } else {
            rows.setStyle(false, Qt::black);
        }
        rows.print(-h, y, QLatin1Char(' ') + QString::number(rec + 1));
        for (int c = 1; c <= shown; ++c) {
            if (c == 4)
                rows.setStyle(true, m_model.collides(rec) ? CollisionColor : NewNameColor);
            const int width = start[size_t(c + 1)] - start[size_t(c)];
            rows.printCut(start[size_t(c)] - h, y, ListColumns::text(m_model, c, rec), width);
            if (c == 4)
                rows.setStyle(false, Qt::black);
        }
        if (l.shownColumns > 5)
            rows.print(start[6] - h, y, ListColumns::text(m_model, 6, rec));
        y += rows.lineHeight();
        if (y > l.height + l.rowHeight - l.headerHeight)
            break;
    }
    for (int c = 1; c <= std::min(l.shownColumns, 6); ++c) {
        const int x = start[size_t(c)] - h - 10;
        painter.setPen(c == 1 ? QColor(Qt::black) : LightLineColor);
        painter.drawLine(x, 0, x, l.height);
    }
    return rows.color;
}
