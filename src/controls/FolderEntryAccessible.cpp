// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FolderEntryAccessible.h"

#include "FolderBrowser.h"
#include "ScrollBar.h"

#include <QWidget>

FolderEntryAccessible::FolderEntryAccessible(FolderBrowser* browser, int entry)
    : m_browser(browser), m_entry(entry)
{
}

bool FolderEntryAccessible::isValid() const
{
    return m_browser && m_entry <= m_browser->entryCount();
}

QWindow* FolderEntryAccessible::window() const
{
    return m_browser ? m_browser->window()->windowHandle() : nullptr;
}

QAccessibleInterface* FolderEntryAccessible::parent() const
{
    return m_browser ? QAccessible::queryAccessibleInterface(m_browser) : nullptr;
}

QString FolderEntryAccessible::text(QAccessible::Text t) const
{
    if (t != QAccessible::Name || !isValid())
        return {};
    return m_browser->entryName(m_entry);
}

QRect FolderEntryAccessible::rect() const
{
    if (!isValid())
        return {};
    const QRect row = m_browser->rowRect(m_entry - m_browser->scrollBar()->value());
    return QRect(m_browser->mapToGlobal(row.topLeft()), row.size());
}

QAccessible::State FolderEntryAccessible::state() const
{
    QAccessible::State s;
    s.selectable = true;
    if (!isValid())
        return s;
    s.selected = m_browser->selectedIndex() == m_entry;
    const int first = m_browser->scrollBar()->value();
    s.invisible = m_entry < first || m_entry > first + m_browser->visibleRows();
    s.offscreen = s.invisible;
    return s;
}
