// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileListPainter.h"

#include "filelist/ListColumns.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace
{

constexpr int TextMargin = 14; // room between a text and the next column's line
constexpr int FocusWidth = 2;  // the outline of the chosen row in a focused list
const QColor NewNameColor(170, 134, 1);
const QColor CollisionColor(204, 0, 0); // a proposal the pass cannot give
const QColor HighlightColor(178, 210, 245);
const QColor FocusColor(0, 84, 166);
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
    void printCut(double x, int y, const QString& text, int width)
    {
        const QString shown = FileListPainter::fitted(text, metrics(), width);
        if (!shown.isEmpty())
            print(x, y, shown);
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
        const bool current = rec == m_model.currentRecord() && l.currentMarked;
        if (m_model.selected(rec) || current) {
            rows.isBold = true;
            painter.fillRect(0, y, l.width, l.rowHeight, HighlightColor);
            if (current && l.focused) {
                const int w = FocusWidth;
                for (const QRect& edge :
                     {QRect(0, y, l.width, w), QRect(0, y + l.rowHeight - w, l.width, w),
                      QRect(0, y, w, l.rowHeight), QRect(l.width - w, y, w, l.rowHeight)})
                    painter.fillRect(edge, FocusColor);
            }
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

QString FileListPainter::fitted(const QString& text, const QFontMetricsF& metrics, int width)
{
    const int room = width - TextMargin;
    if (room <= 0)
        return {};
    return metrics.elidedText(text, Qt::ElideRight, room);
}

QString FileListPainter::shownText(int column, int record, int width, bool chosen,
                                   const QPaintDevice* device) const
{
    const QString text = ListColumns::text(m_model, column, record);
    if (column > 5)
        return text; // the last column runs to the edge
    QFont font = m_font;
    font.setBold(column == 4 || chosen);
    return fitted(text, QFontMetricsF(font, device), width);
}
