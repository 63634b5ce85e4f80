// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileListView.h"

#include "ControlsAccessibility.h"

#include "ColumnLayout.h"
#include "DatePicker.h"
#include "FileListLook.h"
#include "FileListPainter.h"
#include "RowKeys.h"
#include "ScrollBar.h"
#include "Twips.h"
#include "WaitPointer.h"

#include "controls/PropertyBag.h"
#include "filelist/ListColumns.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace
{

constexpr int ScrollBarWidth = 15; // the scroll bar, kept out of the drawing width
constexpr int HScrollHeight = 17;  // the horizontal bar along the bottom edge
constexpr int HScrollRange = 400;  // how far the drawing widens with horizontal scroll 1

using Twips::roundEven;

} // namespace

FileListView::FileListView(QWidget* parent) : QFrame(parent)
{
    ControlsAccessibility::install();
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    createChildren();
    attachModel(m_model);
    layoutColumns();
}

// The children outlive this object's own members; nothing they signal while
// they are taken down may reach it.
FileListView::~FileListView()
{
    for (QObject* child : children())
        disconnect(child, nullptr, this, nullptr);
}

void FileListView::createChildren()
{
    m_header = new ListHeader(this);
    for (int i = 0; i < ButtonCount; ++i)
        m_header->button(i)->installEventFilter(this);
    connect(m_header, &ListHeader::clicked, this, &FileListView::headerButtonClicked);
    connect(m_header, &ListHeader::datePicked, this, &FileListView::datePicked);
    m_scrollBar = new ScrollBar(this);
    m_scrollBar->setObjectName(QStringLiteral("scrollBar"));
    m_scrollBar->setValueMax(0);
    m_scrollBar->setFocusPolicy(Qt::NoFocus); // the keys go to the rows
    connect(m_scrollBar, &ScrollBar::changed, this, &FileListView::redraw);
    m_hScroll = new QScrollBar(Qt::Horizontal, this);
    m_hScroll->setFocusPolicy(Qt::NoFocus);
    m_hScroll->setMaximum(0);
    m_hScroll->hide();
    connect(m_hScroll, &QScrollBar::valueChanged, this, &FileListView::horizontalScrolled);
}

// ---- the list ---------------------------------------------------------------

void FileListView::setModel(FileListModel* model)
{
    if (m_model != &m_ownModel)
        disconnect(m_model, nullptr, this, nullptr);
    attachModel(model ? model : &m_ownModel);
    modelReloaded();
}

void FileListView::attachModel(FileListModel* model)
{
    m_model = model;
    // A list that goes away before the control leaves it with its own.
    if (model != &m_ownModel)
        connect(model, &QObject::destroyed, this, [this, model] {
            if (m_model == model)
                m_model = &m_ownModel;
        });
    connect(model, &FileListModel::reloaded, this, &FileListView::modelReloaded,
            Qt::UniqueConnection);
    connect(model, &FileListModel::refreshRequested, this, &FileListView::redraw,
            Qt::UniqueConnection);
}

// A new list starts at its top with the first record current; the current
// row and its mark stay as they were, so a mark moves to the first record.
void FileListView::modelReloaded()
{
    m_header->showSortOrder(-1, false); // a new list comes in the folder's order
    m_scrollBar->setValue(0);
    layoutColumns();
}

// ---- columns and sorting ----------------------------------------------------

void FileListView::setColumnCaption(int column, const QString& caption)
{
    m_header->setCaption(column, caption);
}

void FileListView::headerButtonClicked(int column)
{
    QPointer<FileListView> alive(this);
    {
        const WaitPointer wait(this);
        emit headerClicked(column);
    }
    if (!alive)
        return;
    setPointer(Pointer::Default);
    redraw();
    setFocus(Qt::MouseFocusReason);
}

void FileListView::layoutColumns()
{
    const QFontMetricsF metrics(m_look.font, this);
    const QString widest = QString::number(lastIndex()) + QLatin1Char('W');
    if (m_horizontalScroll == 1) {
        m_hScroll->setRange(0, HScrollRange);
        m_hScroll->show();
    } else {
        m_hScroll->setMaximum(0);
        m_hScroll->hide();
    }
    const int sw = surfaceWidth();
    m_columns.lay(roundEven(metrics.horizontalAdvance(widest) + 8),
                  m_hScroll->maximum() + sw - ScrollBarWidth);
    placeHeaderButtons();
    const QPoint origin = contentsRect().topLeft();
    m_scrollBar->setGeometry(origin.x() + sw - ScrollBarWidth, origin.y(), ScrollBarWidth,
                             surfaceHeight());
    measureRows();
    placePickers(false);
    m_hScroll->setGeometry(origin.x(), origin.y() + surfaceHeight() - HScrollHeight, sw - 25,
                           HScrollHeight);
}

void FileListView::placeHeaderButtons()
{
    m_header->place(contentsRect().topLeft(), m_columns, m_shownColumns, hScrollValue());
}

void FileListView::placePickers(bool besideButtons)
{
    m_header->placePickers(contentsRect().top(), besideButtons);
}

void FileListView::measureRows()
{
    m_rowHeight = std::max(1, int(std::ceil(QFontMetricsF(m_look.font, this).lineSpacing())));
    const double rows = double(surfaceHeight() - headerHeight()) / m_rowHeight;
    const int page = roundEven(rows);
    m_scrollBar->setValueLargeChange(page);
    const int n = lastIndex();
    // The last page ends with the last row, shown whole.
    if (n < int(rows)) {
        m_scrollBar->setValueMax(0);
    } else {
        m_scrollBar->setValueMax(n - int(rows) + 1);
        m_scrollBar->setEnabled(true);
    }
    // A list that grew taller may now show past its last page; come back.
    if (m_scrollBar->value() > m_scrollBar->valueMax())
        m_scrollBar->setValue(m_scrollBar->valueMax());
    redraw();
}

void FileListView::horizontalScrolled()
{
    m_header->scroll(contentsRect().topLeft(), m_columns, hScrollValue());
    redraw();
}

void FileListView::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    layoutColumns();
}

int FileListView::headerHeight() const
{
    return m_header->button(0)->height();
}

int FileListView::topRow() const
{
    return m_scrollBar->value();
}

int FileListView::hScrollValue() const
{
    return m_hScroll->value(); // 0 while the bar is hidden: its range is then 0..0
}

QRect FileListView::rowRect(int position) const
{
    const int offset = position - topRow();
    const int y = headerHeight() + offset * m_rowHeight;
    if (offset < 0 || !holdsRow(position) || y >= surfaceHeight())
        return QRect();
    return QRect(contentsRect().left(), contentsRect().top() + y, surfaceWidth(), m_rowHeight);
}

QRect FileListView::columnLine(int column) const
{
    const int x = m_columns.start(column) - hScrollValue() - 10;
    return QRect(contentsRect().left() + x, contentsRect().top(), 1, surfaceHeight());
}

FileListPainter FileListView::painter() const
{
    return FileListPainter(*m_model, m_look.font, m_look.backColor);
}

QString FileListView::shownText(int column, int position) const
{
    if (!holdsRow(position))
        return {};
    const int record = m_model->recordAt(position);
    const bool chosen =
        m_model->selected(record) || (record == m_model->currentRecord() && m_currentMarked);
    const int width = column < 6 ? m_columns.start(column + 1) - m_columns.start(column) : 0;
    return painter().shownText(column, record, width, chosen, this);
}

void FileListView::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter surface(this);
    surface.setClipRect(contentsRect());
    surface.translate(contentsRect().topLeft());
    FileListPainter::Layout layout;
    layout.width = surfaceWidth();
    layout.height = surfaceHeight();
    layout.headerHeight = headerHeight();
    layout.hScroll = hScrollValue();
    layout.topRow = topRow();
    layout.lastRow = lastIndex();
    layout.rowHeight = m_rowHeight;
    layout.shownColumns = m_shownColumns;
    layout.currentMarked = m_currentMarked;
    layout.focused = hasFocus();
    layout.columnStart = m_columns.starts();
    m_look.foreColor = painter().paint(surface, layout, m_look.foreColor);
}

// ---- mouse and keys ---------------------------------------------------------

QPointF FileListView::surfacePos(const QMouseEvent* event) const
{
    return event->position() - QPointF(contentsRect().topLeft());
}

void FileListView::setPointer(Pointer pointer)
{
    static const Qt::CursorShape shapes[] = {Qt::ArrowCursor, Qt::SizeVerCursor, Qt::SizeHorCursor};
    m_pointer = pointer;
    setCursor(shapes[int(pointer)]);
}

void FileListView::mousePressEvent(QMouseEvent* event)
{
    m_dragTopRow = topRow();
    m_dragStartY = roundEven(surfacePos(event).y());
}

void FileListView::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF at = surfacePos(event);
    if (event->buttons() == Qt::NoButton)
        hover(at.x());
    else if (m_pointer == Pointer::HorizontalResize)
        resizeColumn(at.x());
    else if (event->buttons() & Qt::LeftButton)
        dragScroll(at.y());
}

// The release chooses the row; a click (a release of the left button, but not
// the one that ends a double click) is then reported and the keys go to the rows.
void FileListView::mouseReleaseEvent(QMouseEvent* event)
{
    setPointer(Pointer::Default);
    if (event->button() != Qt::LeftButton)
        return;
    chooseRow(surfacePos(event).y());
    if (m_releaseEndsDoubleClick) {
        m_releaseEndsDoubleClick = false;
        return;
    }
    QPointer<FileListView> alive(this);
    emit clicked();
    if (alive)
        setFocus(Qt::MouseFocusReason);
}

// The wheel, over the rows or the scroll bar (which leaves wheel events to
// its parent), scrolls by the desktop's wheel step, three rows a notch.
void FileListView::wheelEvent(QWheelEvent* event)
{
    const int notches = event->angleDelta().y() / 120;
    if (notches != 0)
        m_scrollBar->setValue(std::clamp(topRow() - notches * QApplication::wheelScrollLines(), 0,
                                         m_scrollBar->valueMax()));
    event->accept();
}

void FileListView::mouseDoubleClickEvent(QMouseEvent* event)
{
    mousePressEvent(event);
    m_releaseEndsDoubleClick = true;
    emit doubleClicked();
}

bool FileListView::eventFilter(QObject* watched, QEvent* event)
{
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget && widget->parentWidget() == this && headerMouse(widget, event))
        return true;
    return QFrame::eventFilter(watched, event);
}

// Over a header button the pointer offers to drag the column line it is
// near, as over the rows; a press there drags the line and sorts nothing.
bool FileListView::headerMouse(QWidget* button, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::Enter && m_pointer != Pointer::Default)
        setPointer(Pointer::Default);
    if (type != QEvent::MouseMove && type != QEvent::MouseButtonPress &&
        type != QEvent::MouseButtonRelease)
        return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const double x = button->mapTo(this, mouse->position()).x() - contentsRect().left();
    const bool dragging = m_pointer == Pointer::HorizontalResize && m_draggedLine != 0;
    if (type == QEvent::MouseMove) {
        if (dragging && (mouse->buttons() & Qt::LeftButton))
            resizeColumn(x);
        else
            hover(x);
        return dragging;
    }
    if (type == QEvent::MouseButtonPress) {
        hover(x);
        return m_draggedLine != 0;
    }
    if (dragging)
        setPointer(Pointer::Default);
    return dragging;
}

// A row is chosen when the pointer is inside it: not on the header, not on
// the boundary between two rows, not below the last record.
void FileListView::chooseRow(double y)
{
    const int H = headerHeight();
    const int T = topRow();
    const int n = lastIndex();
    for (int y0 = 0; y0 <= surfaceHeight(); y0 += m_rowHeight) {
        if (!(H + y0 < y && y < H + y0 + m_rowHeight && T + y0 / m_rowHeight <= n))
            continue;
        if (m_model->recordCount() == 0)
            return;
        const int row = std::clamp(T + y0 / m_rowHeight, 0, n);
        const int record = m_model->recordAt(row);
        m_model->setCurrent(record, row);
        m_currentMarked = true;
        if (m_multiSelect) {
            m_model->setSelected(record, !m_model->selected(record));
            m_currentMarked = false;
        }
        redraw();
        return;
    }
}

// Five pixels either side of a drawn column line, the pointer offers to
// drag it.
void FileListView::hover(double x)
{
    m_draggedLine = m_columns.lineNear(x, hScrollValue());
    setPointer(m_draggedLine ? Pointer::HorizontalResize : Pointer::Default);
}

// The dragged line follows the pointer.
void FileListView::resizeColumn(double x)
{
    m_columns.drag(m_draggedLine, x, hScrollValue(), m_shownColumns);
    placeHeaderButtons();
    placePickers(true);
    redraw();
}

// The rows follow the pointer, one row per RowHeight pixels.
void FileListView::dragScroll(double y)
{
    setPointer(Pointer::VerticalResize);
    const double dy = m_dragStartY - y;
    const int n = int(std::abs(dy) / m_rowHeight);
    if (dy < 0)
        m_scrollBar->setValue(std::max(m_dragTopRow - n, 0));
    else
        m_scrollBar->setValue(std::min(m_dragTopRow + n, m_scrollBar->valueMax()));
}

int FileListView::pageRows() const
{
    return std::max(1, (surfaceHeight() - headerHeight()) / m_rowHeight);
}

void FileListView::keyPressEvent(QKeyEvent* event)
{
    const int last = std::min(lastIndex(), m_model->recordCount() - 1);
    const int row = m_currentMarked ? m_model->currentRow() : topRow();
    const int to = RowKeys::target(event->key(), row, m_currentMarked, pageRows(), last);
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (last >= 0 && to >= 0)
        moveToRow(to);
    else if (enter && m_currentMarked)
        emit doubleClicked();
    else
        QFrame::keyPressEvent(event);
}

// Chooses the row at a list position and scrolls it wholly into view.
void FileListView::moveToRow(int row)
{
    m_model->setCurrent(m_model->recordAt(row), row);
    m_currentMarked = !m_multiSelect;
    if (row < topRow())
        m_scrollBar->setValue(row);
    else if (row > topRow() + pageRows() - 1)
        m_scrollBar->setValue(std::min(row - pageRows() + 1, m_scrollBar->valueMax()));
    redraw();
}

// The chosen row shows whether the list has the focus.
bool FileListView::event(QEvent* event)
{
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)
        redraw();
    if (event->type() != QEvent::ToolTip)
        return QFrame::event(event);
    showCellTip(*static_cast<QHelpEvent*>(event));
    return true;
}

// The tool tip over a cell holds its whole text, which the cell may show cut.
void FileListView::showCellTip(const QHelpEvent& help)
{
    const QPoint at = help.pos();
    const int offset = at.y() - contentsRect().top() - headerHeight();
    const int position = offset >= 0 ? topRow() + offset / m_rowHeight : -1;
    const int column =
        m_columns.columnAt(at.x() - contentsRect().left() + hScrollValue(), m_shownColumns);
    if (column == 0 || !holdsRow(position))
        return QToolTip::hideText();
    const QString text = ListColumns::text(*m_model, column, m_model->recordAt(position));
    QToolTip::showText(help.globalPos(), text, this);
}

void FileListView::setBackGroundColor(const QColor& color)
{
    m_look.backColor = color;
    redraw();
}

void FileListView::setForeColor(const QColor& color)
{
    m_look.foreColor = color;
    redraw();
}

void FileListView::setBorderType(int type)
{
    applyBorderType(type);
}

void FileListView::applyBorderType(int type)
{
    m_look.borderType = qint16(type);
    m_look.applyBorder(*this);
    layoutColumns();
}

void FileListView::fontChanged()
{
    measureRows();
}

void FileListView::setFontItalic(bool on)
{
    m_look.font.setItalic(on);
    fontChanged();
}

void FileListView::setFontName(const QString& name)
{
    if (name.isEmpty())
        return;
    m_look.font.setFamily(name);
    fontChanged();
}

void FileListView::setFontSize(qreal points)
{
    if (points <= 0)
        return;
    m_look.font.setPointSizeF(points);
    fontChanged();
}

void FileListView::setFontStrikethru(bool on)
{
    m_look.font.setStrikeOut(on);
    fontChanged();
}

void FileListView::setFontUnderline(bool on)
{
    m_look.font.setUnderline(on);
    fontChanged();
}

// Fonts in Qt cover every script, so the character set is only kept; the
// rows are measured again as for any font change.
void FileListView::setFontCharset(int charset)
{
    m_look.fontCharset = charset;
    fontChanged();
}

// Setting the number of columns lays the header out again at once, so the
// window may set it before or after the first list arrives.
void FileListView::setShownColumns(int columns)
{
    m_shownColumns = qint16(std::clamp(columns, 0, 6));
    layoutColumns();
}

void FileListView::setMultiSelect(bool on)
{
    m_multiSelect = on;
}

void FileListView::setHorizontalScroll(int value)
{
    m_horizontalScroll = qint16(value);
    layoutColumns();
}

void FileListView::setMaxWidth(int value)
{
    const int range = value - surfaceWidth();
    m_hScroll->setMaximum(range < 0 ? 60 : range);
    layoutColumns();
}

void FileListView::readProperties(const PropertyBag& bag)
{
    m_look.read(bag);
    QFrame::setEnabled(bag.read(QStringLiteral("Enabled"), true).toBool());
    applyBorderType(m_look.borderType);
}
