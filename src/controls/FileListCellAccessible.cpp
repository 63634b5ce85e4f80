// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileListCellAccessible.h"

#include "FileListAccessible.h"
#include "FileListView.h"

#include <QPushButton>

FileListCellAccessible::FileListCellAccessible(FileListAccessible* table, int row, int column)
    : m_table(table), m_row(row), m_column(column)
{
}

bool FileListCellAccessible::isValid() const
{
    return m_table->isValid() && m_row < m_table->rowCount() && m_column < m_table->columnCount();
}

QWindow* FileListCellAccessible::window() const
{
    return m_table->window();
}

QAccessibleInterface* FileListCellAccessible::parent() const
{
    return m_table;
}

QAccessibleInterface* FileListCellAccessible::table() const
{
    return m_table;
}

QString FileListCellAccessible::text(QAccessible::Text t) const
{
    return t == QAccessible::Name ? m_table->cellText(m_row, m_column) : QString();
}

QRect FileListCellAccessible::rect() const
{
    return isValid() ? m_table->cellRect(m_row, m_column) : QRect();
}

QAccessible::State FileListCellAccessible::state() const
{
    QAccessible::State s;
    s.selectable = true;
    s.selected = isSelected();
    s.invisible = rect().isNull();
    s.offscreen = s.invisible;
    return s;
}

void* FileListCellAccessible::interface_cast(QAccessible::InterfaceType t)
{
    if (t == QAccessible::TableCellInterface)
        return static_cast<QAccessibleTableCellInterface*>(this);
    return nullptr;
}

QList<QAccessibleInterface*> FileListCellAccessible::columnHeaderCells() const
{
    if (!isValid())
        return {};
    return {QAccessible::queryAccessibleInterface(m_table->view()->sortButton(m_column))};
}

bool FileListCellAccessible::isSelected() const
{
    return isValid() && m_table->isRowSelected(m_row);
}
