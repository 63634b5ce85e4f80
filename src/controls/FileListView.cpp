// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileListView.h"

#include "ControlsAccessibility.h"

#include "ColumnLayout.h"
#include "DatePicker.h"
#include "FileListLook.h"
#include "FileListPainter.h"
#include "RenderedButton.h"
#include "ScrollBar.h"
#include "Twips.h"

#include "controls/PropertyBag.h"
#include "filelist/ListColumns.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace
{

constexpr int HeaderButtonHeight = 26;
constexpr int ScrollBarWidth = 15; // the scroll bar, kept out of the drawing width
constexpr int HScrollHeight = 17;  // the horizontal bar along the bottom edge
constexpr int HScrollRange = 400;  // how far the drawing widens with horizontal scroll 1
const QColor NewNameButtonColor(255, 255, 192);

using Twips::roundEven;

// Virtual-key codes the scroll bar reports.
enum Key { PageUp = 33, PageDown = 34, End = 35, Home = 36, Up = 38, Down = 40 };

// A waiting pointer on the control that comes back whatever happens.
class WaitPointer
{
public:
    explicit WaitPointer(QWidget* widget) : m_widget(widget) { widget->setCursor(Qt::WaitCursor); }
    ~WaitPointer()
    {
        if (m_widget)
            m_widget->setCursor(Qt::ArrowCursor);
    }

private:
    QPointer<QWidget> m_widget;
};

} // namespace

FileListView::FileListView(QWidget* parent) : QFrame(parent)
{
    ControlsAccessibility::install();
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
    createChildren();
    createPickers();
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
    QFont captionFont(QStringLiteral("Arial"));
    captionFont.setPointSizeF(11.25);
    for (int i = 0; i < ButtonCount; ++i) {
        auto* button = new QPushButton(this);
        button->setObjectName(QStringLiteral("sortButton%1").arg(i));
        button->setFont(captionFont);
        button->setFocusPolicy(Qt::NoFocus);
        button->setGeometry(0, 0, 41, HeaderButtonHeight);
        button->setText(ListColumns::caption(i));
        button->setToolTip(ListColumns::sortTip(i));
        if (i == 4) {
            QPalette pal = button->palette();
            pal.setColor(QPalette::Button, NewNameButtonColor);
            button->setPalette(pal);
        }
        button->installEventFilter(this);
        connect(button, &QPushButton::clicked, this, [this, i] { headerButtonClicked(i); });
        m_sortButton[size_t(i)] = button;
    }
    m_scrollBar = new ScrollBar(this);
    m_scrollBar->setObjectName(QStringLiteral("scrollBar"));
    m_scrollBar->setValueMax(0);
    connect(m_scrollBar, &ScrollBar::changed, this, &FileListView::redraw);
    connect(m_scrollBar, &ScrollBar::keyDown, this, &FileListView::scrollKeyDown);
    m_hScroll = new QScrollBar(Qt::Horizontal, this);
    m_hScroll->setFocusPolicy(Qt::NoFocus);
    m_hScroll->setMaximum(0);
    m_hScroll->hide();
    connect(m_hScroll, &QScrollBar::valueChanged, this, &FileListView::horizontalScrolled);
}

void FileListView::createPickers()
{
    for (int column = 0; column < 2; ++column) {
        auto* picker = new DatePicker(this);
        picker->setObjectName(column == 0 ? QStringLiteral("creationPicker")
                                          : QStringLiteral("modifiedPicker"));
        picker->move(0, 0);
        // Picking a date sets it for every file at once; the rename pass writes it.
        connect(picker, &DatePicker::changed, this, [this, column, picker] {
            emit datePicked(column, picker->text(), picker->theDate());
        });
        m_picker[size_t(column)] = picker;
    }
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
    m_scrollBar->setValue(0);
    layoutColumns();
}

// ---- columns and sorting ----------------------------------------------------

void FileListView::setColumnCaption(int column, const QString& caption)
{
    m_sortButton.at(size_t(column))->setText(caption);
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
    m_scrollBar->setFocus();
}

void FileListView::layoutColumns()
{
    for (int i = 2; i < ButtonCount; ++i)
        m_sortButton[size_t(i)]->hide();
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
    if (m_shownColumns <= 0)
        return;
    const QPoint origin = contentsRect().topLeft();
    const int h = hScrollValue();
    QPushButton* number = m_sortButton[0];
    number->setGeometry(origin.x(), origin.y(), m_columns.start(1) - 10, HeaderButtonHeight);
    const int shown = std::min<int>(m_shownColumns, 6);
    for (int c = 1; c <= shown; ++c) {
        const int end =
            c == m_shownColumns || c == 6 ? m_columns.listWidth() : m_columns.start(c + 1);
        QPushButton* button = m_sortButton[size_t(c)];
        button->setGeometry(origin.x() + m_columns.start(c) - h - 9, origin.y(),
                            end - m_columns.start(c), HeaderButtonHeight);
        button->show();
    }
}

// After a layout the pickers sit 40 pixels left of the header buttons of the
// modified and current-name columns, that is over the right end of the two
// date columns; after a dragged column line they touch those buttons.
void FileListView::placePickers(bool besideButtons)
{
    for (int k = 0; k < 2; ++k) {
        DatePicker* picker = m_picker[size_t(k)];
        const int buttonLeft = m_sortButton[size_t(k + 2)]->x();
        picker->move(buttonLeft - (besideButtons ? picker->width() : 40), contentsRect().top());
        picker->raise();
    }
}

void FileListView::measureRows()
{
    m_rowHeight = std::max(1, int(std::ceil(QFontMetricsF(m_look.font, this).lineSpacing())));
    const double rows = double(surfaceHeight() - headerHeight()) / m_rowHeight;
    const int page = roundEven(rows);
    m_scrollBar->setValueLargeChange(page);
    const int n = lastIndex();
    if (n <= page) {
        m_scrollBar->setValueMax(0);
    } else {
        m_scrollBar->setValueMax(roundEven(n - rows + 1));
        m_scrollBar->setEnabled(true);
    }
    // A list that grew taller may now show past its last page; come back.
    if (m_scrollBar->value() > m_scrollBar->valueMax())
        m_scrollBar->setValue(m_scrollBar->valueMax());
    redraw();
}

void FileListView::horizontalScrolled()
{
    const QPoint origin = contentsRect().topLeft();
    for (int c = 1; c < ButtonCount; ++c) {
        QPushButton* button = m_sortButton[size_t(c)];
        button->move(origin.x() + m_columns.start(c) - hScrollValue() - 9, origin.y());
    }
    redraw();
}

void FileListView::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    layoutColumns();
}

int FileListView::headerHeight() const
{
    return m_sortButton[0]->height();
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
    if (offset < 0 || position > lastIndex() || position >= m_model->recordCount() ||
        y >= surfaceHeight())
        return QRect();
    return QRect(contentsRect().left(), contentsRect().top() + y, surfaceWidth(), m_rowHeight);
}

QRect FileListView::columnLine(int column) const
{
    const int x = m_columns.start(column) - hScrollValue() - 10;
    return QRect(contentsRect().left() + x, contentsRect().top(), 1, surfaceHeight());
}

void FileListView::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setClipRect(contentsRect());
    painter.translate(contentsRect().topLeft());
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
    layout.columnStart = m_columns.starts();
    m_look.foreColor = FileListPainter(*m_model, m_look.font, m_look.backColor)
                           .paint(painter, layout, m_look.foreColor);
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
// the one that ends a double click) is then reported and the keys go to the scroll bar.
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
        m_scrollBar->setFocus();
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
    // The buttons show the control's pointer; over them it is the default.
    const bool over = event->type() == QEvent::MouseMove || event->type() == QEvent::Enter;
    if (over && m_pointer != Pointer::Default)
        setPointer(Pointer::Default);
    return QFrame::eventFilter(watched, event);
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

void FileListView::scrollKeyDown(int& keyCode, int& shift)
{
    Q_UNUSED(shift);
    const int T = topRow();
    const int page = (surfaceHeight() - headerHeight()) / m_rowHeight;
    const std::pair<int, int> targets[] = {{Up, T - 1},        {Down, T + 1},
                                           {PageUp, T - page}, {PageDown, T + page},
                                           {Home, 0},          {End, m_scrollBar->valueMax()}};
    for (auto [key, target] : targets) {
        if (keyCode == key)
            m_scrollBar->setValue(target);
    }
    keyCode = 0;
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

void FileListView::setEnabled(bool enabled)
{
    QFrame::setEnabled(enabled);
}

void FileListView::setBorderType(int type)
{
    applyBorderType(type);
}

// The background colour stays as it was: only the frame changes.
void FileListView::applyBorderType(int type)
{
    m_look.borderType = qint16(type);
    switch (type) {
    case 1:
        setFrameStyle(QFrame::Box | QFrame::Plain);
        setLineWidth(1);
        break;
    case 2:
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
        setLineWidth(2);
        break;
    default:
        setFrameStyle(QFrame::NoFrame);
        break;
    }
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
