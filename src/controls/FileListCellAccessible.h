// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessibleInterface>

class FileListAccessible;

// One cell of the file list's table: its text as shown, the header button of
// its column as its header, selected with its row.
class FileListCellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface
{
public:
    FileListCellAccessible(FileListAccessible* table, int row, int column);

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
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
