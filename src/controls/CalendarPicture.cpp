// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CalendarPicture.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

CalendarPicture::CalendarPicture(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFixedSize(Width, Height);
}

void CalendarPicture::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    paint(p);
}

// The closed-state picture, 33 x 31 pixels: a small desk calendar in the
// calendar's own colours (olive caption band, teal day cells, today and the
// selected day marked), drawn as shapes so it is sharp at every scale.
void CalendarPicture::paint(QPainter& p)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF page(3.5, 5.5, 26, 22);
    QPainterPath pagePath;
    pagePath.addRoundedRect(page, 2.5, 2.5);

    // Drop shadow, page, caption band.
    p.fillPath(pagePath.translated(1, 1), QColor(0, 0, 0, 60));
    QLinearGradient paper(page.topLeft(), page.bottomLeft());
    paper.setColorAt(0, QColor(255, 255, 255));
    paper.setColorAt(1, QColor(232, 236, 236));
    p.fillPath(pagePath, paper);
    p.save();
    p.setClipPath(pagePath);
    QLinearGradient band(0, page.top(), 0, page.top() + 7);
    band.setColorAt(0, CalendarColors::Caption.lighter(125));
    band.setColorAt(1, CalendarColors::Caption);
    p.fillRect(QRectF(page.left(), page.top(), page.width(), 7), band);
    p.restore();
    p.setPen(QPen(QColor(70, 70, 60), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(pagePath);

    // Two binder rings over the top edge.
    p.setPen(Qt::NoPen);
    for (const qreal x : {9.0, 21.0}) {
        p.setBrush(QColor(60, 60, 60));
        p.drawRoundedRect(QRectF(x, 2.5, 3, 6), 1.5, 1.5);
        p.setBrush(QColor(200, 200, 200));
        p.drawRoundedRect(QRectF(x + 0.5, 3, 1, 4), 0.5, 0.5);
    }

    // Day cells: three weeks of five days.
    p.setRenderHint(QPainter::Antialiasing, false);
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 5; ++col) {
            QColor c = CalendarColors::Cell.darker(118);
            if (row == 1 && col == 2)
                c = CalendarColors::Today.darker(110);
            else if (row == 2 && col == 3)
                c = CalendarColors::Selected.darker(125);
            p.fillRect(QRect(7 + 4 * col, 15 + 4 * row, 3, 3), c);
        }
    }
    p.restore();
}
