// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// ListHeader: the header of a FileListView: the seven sort buttons over its
// columns, the arrow in the sorted column's button, and the date pickers of
// the creation and modified columns. Positions are pixels of the view.

#include <QObject>
#include <QPoint>

#include <array>

class ColumnLayout;
class DatePicker;
class QDateTime;
class QPushButton;
class QWidget;

class ListHeader : public QObject
{
    Q_OBJECT
public:
    static constexpr int ButtonCount = 7;
    static constexpr int Height = 26;

    explicit ListHeader(QWidget* view);

    QPushButton* button(int index) const { return m_button[size_t(index)]; }
    DatePicker* picker(int index) const { return m_picker.at(size_t(index)); }
    void setCaption(int column, const QString& caption);

    // Places the buttons of the shown columns over them, the rows scrolled
    // hScroll pixels to the left; origin is the view's drawing surface.
    void place(QPoint origin, const ColumnLayout& columns, int shownColumns, int hScroll);
    // Moves the data columns' buttons with the rows scrolled hScroll pixels.
    void scroll(QPoint origin, const ColumnLayout& columns, int hScroll);
    // The pickers sit 40 pixels left of the buttons of the modified and
    // current-name columns or, after a dragged column line, touch them.
    void placePickers(int top, bool besideButtons);

    // Marks the column the list is sorted by with an arrow, up for an
    // ascending order; -1 marks none.
    void showSortOrder(int column, bool descending);
    int sortColumn() const { return m_sortColumn; }
    bool sortDescending() const { return m_descending; }

signals:
    void clicked(int column);
    // The text of date picker 0 (creation) or 1 (modified) changed.
    void datePicked(int picker, const QString& text, const QDateTime& date);

private:
    void showCaption(int column);

    std::array<QPushButton*, ButtonCount> m_button{};
    std::array<QString, ButtonCount> m_caption;
    std::array<DatePicker*, 2> m_picker{};
    int m_sortColumn = -1;
    bool m_descending = false;
};
