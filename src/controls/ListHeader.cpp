// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ListHeader.h"

#include "ColumnLayout.h"
#include "DatePicker.h"

#include "filelist/ListColumns.h"

#include <QPushButton>

#include <algorithm>

namespace
{

const QColor NewNameButtonColor(255, 255, 192);
const QString UpArrow = QStringLiteral(" \u25B2");
const QString DownArrow = QStringLiteral(" \u25BC");

} // namespace

ListHeader::ListHeader(QWidget* view) : QObject(view)
{
    QFont captionFont(QStringLiteral("Arial"));
    captionFont.setPointSizeF(11.25);
    for (int i = 0; i < ButtonCount; ++i) {
        auto* button = new QPushButton(view);
        button->setObjectName(QStringLiteral("sortButton%1").arg(i));
        button->setFont(captionFont);
        button->setFocusPolicy(Qt::NoFocus);
        button->setMouseTracking(true); // the pointer shows where a column line can be dragged
        button->setGeometry(0, 0, 41, Height);
        button->setToolTip(ListColumns::sortTip(i));
        if (i == 4) {
            QPalette pal = button->palette();
            pal.setColor(QPalette::Button, NewNameButtonColor);
            button->setPalette(pal);
        }
        connect(button, &QPushButton::clicked, this, [this, i] { emit clicked(i); });
        m_button[size_t(i)] = button;
        setCaption(i, ListColumns::caption(i));
    }
    for (int column = 0; column < 2; ++column) {
        auto* picker = new DatePicker(view);
        picker->setObjectName(column == 0 ? QStringLiteral("creationPicker")
                                          : QStringLiteral("modifiedPicker"));
        picker->move(0, 0);
        // Picking a date sets it for every file at once; the rename pass writes it.
        connect(picker, &DatePicker::changed, this, [this, column, picker] {
            emit datePicked(column, picker->text(), picker->date());
        });
        m_picker[size_t(column)] = picker;
    }
}

void ListHeader::setCaption(int column, const QString& caption)
{
    m_caption.at(size_t(column)) = caption;
    showCaption(column);
}

void ListHeader::showCaption(int column)
{
    const QString arrow = column != m_sortColumn ? QString() : m_descending ? DownArrow : UpArrow;
    m_button[size_t(column)]->setText(m_caption[size_t(column)] + arrow);
}

void ListHeader::showSortOrder(int column, bool descending)
{
    const int before = m_sortColumn;
    m_sortColumn = column >= 0 && column < ButtonCount ? column : -1;
    m_descending = descending;
    if (before >= 0)
        showCaption(before);
    if (m_sortColumn >= 0)
        showCaption(m_sortColumn);
}

void ListHeader::place(QPoint origin, const ColumnLayout& columns, int shownColumns, int hScroll)
{
    for (int i = 2; i < ButtonCount; ++i)
        m_button[size_t(i)]->hide();
    if (shownColumns <= 0)
        return;
    m_button[0]->setGeometry(origin.x(), origin.y(), columns.start(1) - 10, Height);
    const int shown = std::min(shownColumns, 6);
    for (int c = 1; c <= shown; ++c) {
        const int end = c == shownColumns || c == 6 ? columns.listWidth() : columns.start(c + 1);
        QPushButton* button = m_button[size_t(c)];
        button->setGeometry(origin.x() + columns.start(c) - hScroll - 9, origin.y(),
                            end - columns.start(c), Height);
        button->show();
    }
}

void ListHeader::scroll(QPoint origin, const ColumnLayout& columns, int hScroll)
{
    for (int c = 1; c < ButtonCount; ++c)
        m_button[size_t(c)]->move(origin.x() + columns.start(c) - hScroll - 9, origin.y());
}

void ListHeader::placePickers(int top, bool besideButtons)
{
    for (int k = 0; k < 2; ++k) {
        DatePicker* picker = m_picker[size_t(k)];
        const int buttonLeft = m_button[size_t(k + 2)]->x();
        picker->move(buttonLeft - (besideButtons ? picker->width() : 40), top);
        picker->raise();
    }
}
