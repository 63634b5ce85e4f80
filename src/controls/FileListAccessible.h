// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessibleWidget>
#include <QHash>

class FileListView;

// The file list as a table: one row per listed file in the order shown, one
// column per shown column (the number first), the header buttons' captions as
// column headers, and the chosen (or marked) rows as the selected ones. Its
// children are its own widgets (header buttons, scroll bars, date pickers)
// followed by the cells, row by row. Cells are made as a screen reader asks
// for them and read the list when asked, so they follow every sort and scan.
class FileListAccessible : public QAccessibleWidget, public QAccessibleTableInterface
{
public:
    explicit FileListAccessible(FileListView* view);
    ~FileListAccessible() override;

    void* interface_cast(QAccessible::InterfaceType t) override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    int columnCount() const override;
    int rowCount() const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int selectedCellCount() const override;
    QList<QAccessibleInterface*> selectedCells() const override;
    int selectedColumnCount() const override { return 0; }
    QList<int> selectedColumns() const override { return {}; }
    int selectedRowCount() const override { return int(selectedRows().size()); }
    QList<int> selectedRows() const override;
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int row) const override;
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

    FileListView* view() const;
    // The text of a cell as the list shows it.
    QString cellText(int row, int column) const;
    QRect cellRect(int row, int column) const; // global coordinates; null out of view

private:
    int widgetChildren() const;

    mutable QHash<qint64, QAccessible::Id> m_cells; // by row * columns + column
};
