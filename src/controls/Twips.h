// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Twips: the length unit of the windows and of the browser and calendar
// controls, 1440 per inch. Converted with the logical DPI of the widget's
// screen (15 twips per pixel at 96 DPI). Header-only; the one conversion of
// the program: the window, the dialogs and every control use it.
// Every function takes an optional widget, null meaning the primary screen
// (96 DPI without one).

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>

#include <cmath>

namespace Twips
{

constexpr double PerInch = 1440.0;

inline int roundEven(double v)
{
    return int(std::nearbyint(v)); // the default rounding mode: nearest, ties to even
}

inline double dpiX(const QWidget* w = nullptr)
{
    if (w)
        return w->logicalDpiX();
    if (const QScreen* s = QGuiApplication::primaryScreen())
        return s->logicalDotsPerInchX();
    return 96.0;
}

inline double dpiY(const QWidget* w = nullptr)
{
    if (w)
        return w->logicalDpiY();
    if (const QScreen* s = QGuiApplication::primaryScreen())
        return s->logicalDotsPerInchY();
    return 96.0;
}

inline double perPixelX(const QWidget* w = nullptr)
{
    return PerInch / dpiX(w);
}
inline double perPixelY(const QWidget* w = nullptr)
{
    return PerInch / dpiY(w);
}

inline int toPixelsX(double twips, const QWidget* w = nullptr)
{
    return roundEven(twips / perPixelX(w));
}
inline int toPixelsY(double twips, const QWidget* w = nullptr)
{
    return roundEven(twips / perPixelY(w));
}

inline double fromPixelsX(double pixels, const QWidget* w = nullptr)
{
    return pixels * perPixelX(w);
}
inline double fromPixelsY(double pixels, const QWidget* w = nullptr)
{
    return pixels * perPixelY(w);
}

inline QRect toPixels(double left, double top, double width, double height,
                      const QWidget* w = nullptr)
{
    return QRect(toPixelsX(left, w), toPixelsY(top, w), toPixelsX(width, w), toPixelsY(height, w));
}

} // namespace Twips
