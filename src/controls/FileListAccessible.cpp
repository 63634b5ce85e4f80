// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileListAccessible.h"

#include "FileListCellAccessible.h"
#include "FileListView.h"
#include "filelist/ListColumns.h"

#include <QPushButton>

FileListAccessible::FileListAccessible(FileListView* view)
    : QAccessibleWidget(view, QAccessible::Table)
{
}

FileListAccessible::~FileListAccessible()
{
    for (const QAccessible::Id id : std::as_const(m_cells))
        QAccessible::deleteAccessibleInterface(id);
}

FileListView* FileListAccessible::view() const
{
    return static_cast<FileListView*>(widget());
}

void* FileListAccessible::interface_cast(QAccessible::InterfaceType t)
{
    if (t == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
}

int FileListAccessible::widgetChildren() const
{
    return QAccessibleWidget::childCount();
}

int FileListAccessible::childCount() const
{
    return widgetChildren() + rowCount() * columnCount();
}

QAccessibleInterface* FileListAccessible::child(int index) const
{
    const int widgets = widgetChildren();
    if (index < widgets)
        return QAccessibleWidget::child(index);
    const int columns = columnCount();
    return columns > 0 ? cellAt((index - widgets) / columns, (index - widgets) % columns) : nullptr;
}

int FileListAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    if (const auto* cell = dynamic_cast<const FileListCellAccessible*>(child)) {
        if (!cell->isValid())
            return -1;
        return widgetChildren() + cell->rowIndex() * columnCount() + cell->columnIndex();
    }
    return QAccessibleWidget::indexOfChild(child);
}

QAccessibleInterface* FileListAccessible::cellAt(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return nullptr;
    const qint64 key = qint64(row) * FileListView::ButtonCount + column;
    if (const QAccessible::Id id = m_cells.value(key))
        return QAccessible::accessibleInterface(id);
    auto* cell = new FileListCellAccessible(const_cast<FileListAccessible*>(this), row, column);
    m_cells.insert(key, QAccessible::registerAccessibleInterface(cell));
    return cell;
}

int FileListAccessible::columnCount() const
{
    return 1 + qBound(0, view()->shownColumns(), FileListView::ButtonCount - 1);
}

int FileListAccessible::rowCount() const
{
    const FileListModel& model = view()->model();
    return model.holdsNoFiles() ? 0 : qMin(model.lastIndex() + 1, model.recordCount());
}

QString FileListAccessible::columnDescription(int column) const
{
    if (column < 0 || column >= columnCount())
        return {};
    return view()->sortButton(column)->text();
}

QString FileListAccessible::rowDescription(int row) const
{
    return cellText(row, 0);
}

QString FileListAccessible::cellText(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return {};
    const FileListModel& model = view()->model();
    const int record = model.recordAt(row);
    return column == 0 ? QString::number(record + 1) : ListColumns::text(model, column, record);
}

QRect FileListAccessible::cellRect(int row, int column) const
{
    const QRect line = view()->rowRect(row);
    if (line.isNull())
        return {};
    const int left = view()->contentsRect().left() + view()->columnStart(column);
    const int right = column + 1 < columnCount()
                          ? view()->contentsRect().left() + view()->columnStart(column + 1)
                          : line.right() + 1;
    const QRect cell(QPoint(left, line.top()), QPoint(right - 1, line.bottom()));
    return QRect(view()->mapToGlobal(cell.topLeft()), cell.size());
}

bool FileListAccessible::isRowSelected(int row) const
{
    if (row < 0 || row >= rowCount())
        return false;
    const FileListModel& model = view()->model();
    const int record = model.recordAt(row);
    return model.selected(record) ||
           (record == model.currentRecord() && (view()->currentMarked() || !view()->multiSelect()));
}

QList<int> FileListAccessible::selectedRows() const
{
    QList<int> rows;
    for (int row = 0, count = rowCount(); row < count; ++row)
        if (isRowSelected(row))
            rows << row;
    return rows;
}

int FileListAccessible::selectedCellCount() const
{
    return selectedRowCount() * columnCount();
}

QList<QAccessibleInterface*> FileListAccessible::selectedCells() const
{
    QList<QAccessibleInterface*> cells;
    for (const int row : selectedRows())
        for (int column = 0; column < columnCount(); ++column)
            cells << cellAt(row, column);
    return cells;
}
