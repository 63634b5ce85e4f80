// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AccessibleLeaf.h"

#include <QAccessibleInterface>

class FileListAccessible;

// One cell of the file list's table: its text as shown, the header button of
// its column as its header, selected with its row.
class FileListCellAccessible : public AccessibleLeaf, public QAccessibleTableCellInterface
{
public:
    FileListCellAccessible(FileListAccessible* table, int row, int column);

    bool isValid() const override;
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QString text(QAccessible::Text t) const override;
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType t) override;

    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QList<QAccessibleInterface*> columnHeaderCells() const override;
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return m_column; }
    int rowIndex() const override { return m_row; }
    bool isSelected() const override;
    QAccessibleInterface* table() const override;

private:
    FileListAccessible* m_table; // owns the cell: it deletes its cells when it goes
    int m_row;
    int m_column;
};
