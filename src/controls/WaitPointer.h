// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// WaitPointer: a waiting pointer on a widget that comes back whatever happens.

#include <QPointer>
#include <QWidget>

class WaitPointer
{
public:
    explicit WaitPointer(QWidget* widget) : m_widget(widget) { widget->setCursor(Qt::WaitCursor); }
    ~WaitPointer()
    {
        if (m_widget)
            m_widget->setCursor(Qt::ArrowCursor);
    }
    WaitPointer(const WaitPointer&) = delete;
    WaitPointer& operator=(const WaitPointer&) = delete;

private:
    QPointer<QWidget> m_widget;
};
