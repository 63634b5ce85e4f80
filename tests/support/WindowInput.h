// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Input as the platform delivers it: mouse and wheel events go to the
// top-level window at a point, which hands them to whatever widget is on top
// there (a click also moves the focus the way a person's click does); keys go
// to the window, which hands them to its focus widget after the shortcut
// check. A test names a widget only to find the point it aims at.

#include <QApplication>
#include <QTest>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>
#include <QtTest/qtestspontaneevent.h>

namespace WindowInput
{

inline QWindow* windowOf(QWidget* w)
{
    return w->window()->windowHandle();
}

// The centre of w (or the point at, in w's coordinates) in its window.
inline QPoint pointOf(QWidget* w, QPoint at = QPoint(-1, -1))
{
    return w->mapTo(w->window(), at == QPoint(-1, -1) ? w->rect().center() : at);
}

inline void click(QWidget* w, QPoint at = QPoint(-1, -1), Qt::MouseButton button = Qt::LeftButton)
{
    QTest::mouseClick(windowOf(w), button, {}, pointOf(w, at));
}

inline void doubleClick(QWidget* w, QPoint at = QPoint(-1, -1))
{
    QTest::mouseDClick(windowOf(w), Qt::LeftButton, {}, pointOf(w, at));
}

// Notches of the wheel over w; positive turns towards the user (down).
inline void wheel(QWidget* w, int notches, QPoint at = QPoint(-1, -1))
{
    const QPoint p = pointOf(w, at);
    QWheelEvent e(p, w->window()->mapToGlobal(p), {}, QPoint(0, -120 * notches), Qt::NoButton, {},
                  Qt::NoScrollPhase, false);
    // Spontaneous, as from the platform, so it goes up to the parents
    // (sendEvent would mark it as sent by the program).
    QSpontaneKeyEvent::setSpontaneous(&e);
    QApplication::instance()->notify(windowOf(w), &e);
}

inline void key(QWidget* window, Qt::Key k, Qt::KeyboardModifiers mods = {})
{
    QTest::keyClick(windowOf(window), k, mods);
}

// Typed text; "\r" is the Enter key. A letter beyond ASCII comes as text
// without a key of its own, as from a keyboard layout or input method.
inline void type(QWidget* window, const QString& text)
{
    for (QChar c : text) {
        if (c == QLatin1Char('\r'))
            key(window, Qt::Key_Return);
        else if (c.unicode() > 0x7e)
            QTest::sendKeyEvent(QTest::Click, windowOf(window), Qt::Key_unknown, QString(c),
                                Qt::NoModifier);
        else
            QTest::keyClick(windowOf(window), c.toLatin1());
    }
}

} // namespace WindowInput
