// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// CalendarPicture: the closed date picker, 33 x 31 pixels: a small desk
// calendar in the calendar's own colours (olive caption band, teal day cells,
// today and the selected day marked), drawn as shapes so it is sharp at every
// scale. Clicks fall through to the picker under it.

#include <QColor>
#include <QWidget>

// The colours of the open calendar, which the picture repeats.
namespace CalendarColors
{
inline const QColor Cell(153, 204, 204);
inline const QColor Today(0, 255, 255);
inline const QColor Selected(255, 224, 192);
inline const QColor Caption(187, 173, 1);
} // namespace CalendarColors

class CalendarPicture : public QWidget
{
public:
    static constexpr int Width = 33;
    static constexpr int Height = 31;

    explicit CalendarPicture(QWidget* parent);
    // Paints the picture at the painter's origin.
    static void paint(QPainter& p);

protected:
    void paintEvent(QPaintEvent* event) override;
};
