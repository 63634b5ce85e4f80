#include "FileListView.h"

#include "DatePicker.h"
#include "RenderedButton.h"
#include "ScrollBar.h"

#include "app/FileDates.h"
#include "app/Session.h"
#include "filelist/SortKeys.h"
#include "platform/PropertyBag.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace
{

constexpr int HeaderButtonHeight = 26;
constexpr int ScrollBarWidth = 15;  // sBar, kept out of the drawing width
constexpr int HScrollHeight = 17;   // HScroll1 along the bottom edge
constexpr int HScrollRange = 400;   // how far the drawing widens with NoScroll 1
constexpr int MinColumnWidth = 40;  // a dragged column line keeps this much room
constexpr int TextMargin = 20;      // room left at the end of a cut text
constexpr int HighlightHeight = 15; // the band behind a chosen row
const QColor NewNameColor(170, 134, 1);
const QColor HighlightColor(250, 250, 250);
const QColor NewNameButtonColor(255, 255, 192);
const QColor LightLineColor(224, 224, 224);

// The platform's rounding: to the nearest whole number, halves to even.
int roundEven(double v)
{
    return int(std::nearbyint(v));
}

// Virtual-key codes sBar reports.
enum Key { PageUp = 33, PageDown = 34, End = 35, Home = 36, Up = 38, Down = 40 };

const char* const ButtonTips[FileListView::ButtonCount] = {"Sort by Number...",
                                                           "Sort by Creation Date and Time...",
                                                           "Sort by Creation Date and Time...",
                                                           "Sort by Source Filenames...",
                                                           "Sort by Destination Filenames...",
                                                           "Sort by File Size...",
                                                           nullptr};

// A waiting pointer on the control that comes back whatever happens.
class WaitPointer
{
public:
    explicit WaitPointer(QWidget* widget) : m_widget(widget) { widget->setCursor(Qt::WaitCursor); }
    ~WaitPointer() { m_widget->setCursor(Qt::ArrowCursor); }

private:
    QWidget* m_widget;
};

} // namespace

// Prints the cells of the rows with the running font and colour, as the rows
// are drawn one after another: a chosen row stays in the colour the previous
// row ended with.
struct FileListView::RowPainter {
    QPainter& painter;
    QFont regular;
    QFont bold;
    QFontMetricsF regularMetrics;
    QFontMetricsF boldMetrics;
    bool isBold = false;
    QColor color;

    RowPainter(QPainter& p, const QFont& font, const QColor& start)
        : painter(p), regular(weighted(font, false)), bold(weighted(font, true)),
          regularMetrics(regular, p.device()), boldMetrics(bold, p.device()), color(start)
    {
    }
    static QFont weighted(QFont font, bool isBold)
    {
        font.setBold(isBold);
        return font;
    }
    const QFontMetricsF& metrics() const { return isBold ? boldMetrics : regularMetrics; }
    void setStyle(bool boldText, const QColor& c)
    {
        isBold = boldText;
        color = c;
    }
    void print(double x, int y, const QString& text)
    {
        painter.setFont(isBold ? bold : regular);
        painter.setPen(color);
        painter.drawText(QPointF(x, y + metrics().ascent()), text);
    }
    // The first characters of text that fit width less the margin, by a
    // proportional estimate from the width of the whole text; nothing when
    // the column is narrower than the margin.
    void printCut(double x, int y, const QString& text, int width)
    {
        if (text.isEmpty())
            return;
        const double whole = metrics().horizontalAdvance(text);
        const qsizetype length = text.size();
        const qsizetype k =
            whole > 0 ? qsizetype(roundEven(double(length) * (width - TextMargin) / whole))
                      : length;
        if (k >= length)
            print(x, y, text);
        else if (k > 0)
            print(x, y, text.left(k));
    }
    int lineHeight() const { return int(std::ceil(metrics().lineSpacing())); }
};

FileListView::FileListView(QWidget* parent) : QFrame(parent)
{
    m_backColor = palette().color(QPalette::Button);
    m_foreColor = palette().color(QPalette::ButtonText);
    m_font = QFont(QStringLiteral("Arial"));
    m_font.setPointSizeF(9);
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
    createChildren();
    createPickers();
    attachModel(m_model);
    UserControl_Resize();
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
        button->setFont(captionFont);
        button->setFocusPolicy(Qt::NoFocus);
        button->setGeometry(0, 0, 41, HeaderButtonHeight);
        if (ButtonTips[i])
            button->setToolTip(QString::fromLatin1(ButtonTips[i]));
        if (i == 4) {
            QPalette pal = button->palette();
            pal.setColor(QPalette::Button, NewNameButtonColor);
            button->setPalette(pal);
        }
        button->installEventFilter(this);
        connect(button, &QPushButton::clicked, this, [this, i] { SortButton_Click(i); });
        m_sortButton[size_t(i)] = button;
    }
    m_sBar = new ScrollBar(this);
    m_sBar->setValueMax(0);
    connect(m_sBar, &ScrollBar::Change, this, &FileListView::REFscreen);
    connect(m_sBar, &ScrollBar::KeyDown, this, &FileListView::sBarKeyDown);
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
        picker->move(0, 0);
        connect(picker, &DatePicker::Change, this, [this, column] { pickerChanged(column); });
        m_picker[size_t(column)] = picker;
    }
}

// ---- the list ---------------------------------------------------------------

void FileListView::setSession(Session* session)
{
    m_session = session;
    setModel(session ? &session->model() : nullptr);
}

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
    connect(model, &FileListModel::refreshRequested, this, &FileListView::REFscreen,
            Qt::UniqueConnection);
}

// A new list starts at its top with the first record current; the current
// row and its mark stay as they were, so a mark moves to the first record.
void FileListView::modelReloaded()
{
    m_sBar->setValue(0);
    UserControl_Resize();
}

QString FileListView::GetDate1() const
{
    return FileDates::pendingCreationDate(*m_model, m_picker[0]->Text());
}

QString FileListView::GetDate2() const
{
    return FileDates::pendingModifiedDate(*m_model, m_picker[1]->Text());
}

// Picking a date sets it for every file at once; the rename pass writes it.
void FileListView::pickerChanged(int column)
{
    DatePicker* picker = m_picker[size_t(column)];
    const QString text = picker->Text();
    QDateTime date;
    if (m_session && column == 0)
        date = FileDates::creationPickerChanged(*m_session, text, picker->TheDate());
    else if (m_session)
        date = FileDates::modifiedPickerChanged(*m_session, text, picker->TheDate());
    else
        date =
            FileDates::pickerChanged(*m_model, FileDates::Column(column), text, picker->TheDate());
    picker->setTheDate(date);
}

// ---- columns and sorting ----------------------------------------------------

void FileListView::NameButton(int index, const QString& titleString)
{
    m_sortButton.at(size_t(index))->setText(titleString);
}

void FileListView::SortButton_Click(int index)
{
    {
        const WaitPointer wait(this);
        m_sorter.sortByHeader(*m_model, index);
    }
    setPointer(Pointer::Default);
    REFscreen();
    m_sBar->setFocus();
}

// ---- layout -----------------------------------------------------------------

void FileListView::UserControl_Resize()
{
    for (int i = 2; i < ButtonCount; ++i)
        m_sortButton[size_t(i)]->hide();
    const QFontMetricsF metrics(m_font, this);
    const QString widest = QString::number(lastIndex()) + QLatin1Char('W');
    m_columnStart[1] = qint16(roundEven(metrics.horizontalAdvance(widest) + 8));
    if (m_noScroll == 1) {
        m_hScroll->setRange(0, HScrollRange);
        m_hScroll->show();
    } else {
        m_hScroll->setMaximum(0);
        m_hScroll->hide();
    }
    const int sw = surfaceWidth();
    m_listWidth = qint16(m_hScroll->maximum() + sw - ScrollBarWidth);
    const int u = roundEven(m_listWidth / 5.0);
    m_columnStart[2] = qint16(u + 40);
    m_columnStart[3] = qint16(2 * u + 40);
    m_columnStart[4] = qint16(3 * u + 60);
    m_columnStart[5] = qint16(4 * u + 60);
    m_columnStart[6] = m_listWidth;
    placeHeaderButtons();
    const QPoint origin = contentsRect().topLeft();
    m_sBar->setGeometry(origin.x() + sw - ScrollBarWidth, origin.y(), ScrollBarWidth,
                        surfaceHeight());
    ReSizeFont();
    placePickers(false);
    m_hScroll->setGeometry(origin.x(), origin.y() + surfaceHeight() - HScrollHeight, sw - 25,
                           HScrollHeight);
}

void FileListView::placeHeaderButtons()
{
    if (m_cSelect <= 0)
        return;
    const QPoint origin = contentsRect().topLeft();
    const int h = hScrollValue();
    QPushButton* number = m_sortButton[0];
    number->setGeometry(origin.x(), origin.y(), m_columnStart[1] - 10, HeaderButtonHeight);
    const int shown = std::min<int>(m_cSelect, 6);
    for (int c = 1; c <= shown; ++c) {
        const int end = c == m_cSelect || c == 6 ? m_listWidth : m_columnStart[size_t(c + 1)];
        QPushButton* button = m_sortButton[size_t(c)];
        button->setGeometry(origin.x() + m_columnStart[size_t(c)] - h - 9, origin.y(),
                            end - m_columnStart[size_t(c)], HeaderButtonHeight);
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

void FileListView::ReSizeFont()
{
    m_rowHeight = std::max(1, int(std::ceil(QFontMetricsF(m_font, this).lineSpacing())));
    const double rows = double(surfaceHeight() - headerHeight()) / m_rowHeight;
    const int page = roundEven(rows);
    m_sBar->setValueLargeChange(page);
    const int n = lastIndex();
    if (n <= page) {
        m_sBar->setValueMax(0);
    } else {
        m_sBar->setValueMax(roundEven(n - rows + 1));
        m_sBar->setEnabled(true);
    }
    // A list that grew taller may now show past its last page; come back.
    if (m_sBar->Value() > m_sBar->ValueMax())
        m_sBar->setValue(m_sBar->ValueMax());
    REFscreen();
}

void FileListView::horizontalScrolled()
{
    const QPoint origin = contentsRect().topLeft();
    for (int c = 1; c < ButtonCount; ++c) {
        QPushButton* button = m_sortButton[size_t(c)];
        button->move(origin.x() + m_columnStart[size_t(c)] - hScrollValue() - 9, origin.y());
    }
    REFscreen();
}

void FileListView::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    UserControl_Resize();
}

int FileListView::headerHeight() const
{
    return m_sortButton[0]->height();
}

int FileListView::topRow() const
{
    return m_sBar->Value();
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
    const int x = m_columnStart[size_t(column)] - hScrollValue() - 10;
    return QRect(contentsRect().left() + x, contentsRect().top(), 1, surfaceHeight());
}

// ---- drawing ----------------------------------------------------------------

void FileListView::REFscreen()
{
    update();
}

void FileListView::Refresh()
{
    repaint();
}

void FileListView::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setClipRect(contentsRect());
    painter.translate(contentsRect().topLeft());
    paintSurface(painter);
}

void FileListView::paintSurface(QPainter& painter)
{
    const int sw = surfaceWidth();
    const int sh = surfaceHeight();
    const int H = headerHeight();
    const int h = hScrollValue();
    painter.fillRect(0, 0, sw, sh, m_backColor);
    RowPainter rows(painter, m_font, m_foreColor);
    const int last = std::min(lastIndex(), m_model->recordCount() - 1);
    const int shown = std::min<int>(m_cSelect, 5);
    int y = H;
    for (int r = topRow(); r <= last; ++r) {
        const int rec = m_model->recordAt(r);
        if (m_model->selected(rec) || (rec == m_model->currentRecord() && m_currentMarked)) {
            rows.isBold = true;
            painter.fillRect(0, y, sw, HighlightHeight, HighlightColor);
        } else {
            rows.setStyle(false, Qt::black);
        }
        rows.print(-h, y, QLatin1Char(' ') + QString::number(rec + 1));
        for (int c = 1; c <= shown; ++c) {
            if (c == 4)
                rows.setStyle(true, NewNameColor);
            const int width = m_columnStart[size_t(c + 1)] - m_columnStart[size_t(c)];
            rows.printCut(m_columnStart[size_t(c)] - h, y, SortKeys::columnText(*m_model, c, rec),
                          width);
            if (c == 4)
                rows.setStyle(false, Qt::black);
        }
        if (m_cSelect > 5)
            rows.print(m_columnStart[6] - h, y, SortKeys::columnText(*m_model, 6, rec));
        y += rows.lineHeight();
        if (y > sh + m_rowHeight - H)
            break;
    }
    m_foreColor = rows.color;
    for (int c = 1; c <= std::min<int>(m_cSelect, 6); ++c) {
        const int x = m_columnStart[size_t(c)] - h - 10;
        painter.setPen(c == 1 ? QColor(Qt::black) : LightLineColor);
        painter.drawLine(x, 0, x, sh);
    }
}

// ---- mouse and keys ---------------------------------------------------------

QPointF FileListView::surfacePos(const QMouseEvent* event) const
{
    return event->position() - QPointF(contentsRect().topLeft());
}

void FileListView::setPointer(Pointer pointer)
{
    m_pointer = pointer;
    switch (pointer) {
    case Pointer::Default:
        setCursor(Qt::ArrowCursor);
        break;
    case Pointer::VerticalResize:
        setCursor(Qt::SizeVerCursor);
        break;
    case Pointer::HorizontalResize:
        setCursor(Qt::SizeHorCursor);
        break;
    }
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
// the one that ends a double click) is then reported and the keys go to sBar.
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
    emit Click();
    if (alive)
        m_sBar->setFocus();
}

// The wheel, over the rows or the scroll bar (which leaves wheel events to
// its parent), scrolls by the desktop's wheel step, three rows a notch.
void FileListView::wheelEvent(QWheelEvent* event)
{
    const int notches = event->angleDelta().y() / 120;
    if (notches != 0)
        m_sBar->setValue(std::clamp(topRow() - notches * QApplication::wheelScrollLines(), 0,
                                    m_sBar->ValueMax()));
    event->accept();
}

void FileListView::mouseDoubleClickEvent(QMouseEvent* event)
{
    mousePressEvent(event);
    m_releaseEndsDoubleClick = true;
    emit DblClick();
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
        if (m_mSelect) {
            m_model->setSelected(record, !m_model->selected(record));
            m_currentMarked = false;
        }
        REFscreen();
        return;
    }
}

// Five pixels either side of a drawn column line, the pointer offers to
// drag it.
void FileListView::hover(double x)
{
    const int h = hScrollValue();
    m_dragBorder = 0;
    for (int k = 1; k <= 4; ++k) {
        const int b = m_columnStart[size_t(k + 1)] - h;
        if (b - 15 <= x && x <= b - 5)
            m_dragBorder = k;
    }
    setPointer(m_dragBorder ? Pointer::HorizontalResize : Pointer::Default);
}

// The dragged line follows the pointer; every column keeps 40 pixels.
void FileListView::resizeColumn(double x)
{
    const int k = m_dragBorder;
    if (k < 1 || k > 4)
        return;
    int start = roundEven(x + 10 + hScrollValue());
    start = std::max(start, m_columnStart[size_t(k)] + MinColumnWidth);
    const int limit = m_cSelect == k + 1 ? m_listWidth : m_columnStart[size_t(k + 2)];
    start = std::min(start, limit - MinColumnWidth);
    m_columnStart[size_t(k + 1)] = qint16(start);
    placeHeaderButtons();
    placePickers(true);
    REFscreen();
}

// The rows follow the pointer, one row per RowHeight pixels.
void FileListView::dragScroll(double y)
{
    setPointer(Pointer::VerticalResize);
    const double dy = m_dragStartY - y;
    const int n = int(std::abs(dy) / m_rowHeight);
    if (dy < 0)
        m_sBar->setValue(std::max(m_dragTopRow - n, 0));
    else
        m_sBar->setValue(std::min(m_dragTopRow + n, m_sBar->ValueMax()));
}

void FileListView::sBarKeyDown(int& keyCode, int& shift)
{
    Q_UNUSED(shift);
    const int T = topRow();
    const int page = (surfaceHeight() - headerHeight()) / m_rowHeight;
    switch (keyCode) {
    case Up:
        m_sBar->setValue(T - 1);
        break;
    case Down:
        m_sBar->setValue(T + 1);
        break;
    case PageUp:
        m_sBar->setValue(T - page);
        break;
    case PageDown:
        m_sBar->setValue(T + page);
        break;
    case Home:
        m_sBar->setValue(0);
        break;
    case End:
        m_sBar->setValue(m_sBar->ValueMax());
        break;
    default:
        break;
    }
    keyCode = 0;
}

// ---- properties -------------------------------------------------------------

void FileListView::setBackGroundColor(const QColor& color)
{
    m_backColor = color;
    REFscreen();
    changed(QStringLiteral("BackGroundColor"));
}

void FileListView::setForeColor(const QColor& color)
{
    m_foreColor = color;
    REFscreen();
    changed(QStringLiteral("ForeColor"));
}

void FileListView::setEnabled(bool enabled)
{
    QFrame::setEnabled(enabled);
    changed(QStringLiteral("Enabled"));
}

void FileListView::setBorderType(int type)
{
    applyBorderType(type);
    changed(QStringLiteral("BorderType"));
}

// The background colour stays as it was: only the frame changes.
void FileListView::applyBorderType(int type)
{
    m_borderType = qint16(type);
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
    UserControl_Resize();
}

void FileListView::fontChanged(const QString& name)
{
    ReSizeFont();
    if (!name.isEmpty())
        changed(name);
}

void FileListView::setFontItalic(bool on)
{
    m_font.setItalic(on);
    fontChanged(QStringLiteral("FontItalic"));
}

void FileListView::setFontName(const QString& name)
{
    if (name.isEmpty())
        return;
    m_font.setFamily(name);
    fontChanged(QStringLiteral("FontName"));
}

void FileListView::setFontSize(qreal points)
{
    if (points <= 0)
        return;
    m_font.setPointSizeF(points);
    fontChanged(QStringLiteral("FontSize"));
}

void FileListView::setFontStrikethru(bool on)
{
    m_font.setStrikeOut(on);
    fontChanged(QStringLiteral("FontStrikethru"));
}

void FileListView::setFontUnderline(bool on)
{
    m_font.setUnderline(on);
    fontChanged(QStringLiteral("FontUnderline"));
}

// Fonts in Qt cover every script, so the character set is only kept; the
// rows are measured again as for any font change.
void FileListView::setFontCharset(int charset)
{
    m_fontCharset = charset;
    fontChanged(QString());
}

// Setting the number of columns lays the header out again at once, so the
// window may set it before or after the first list arrives.
void FileListView::setcSelect(int columns)
{
    m_cSelect = qint16(std::clamp(columns, 0, 6));
    UserControl_Resize();
}

void FileListView::setmSelect(bool on)
{
    m_mSelect = on;
}

void FileListView::setNoScroll(int value)
{
    m_noScroll = qint16(value);
    UserControl_Resize();
}

void FileListView::setMaxWidth(int value)
{
    const int range = value - surfaceWidth();
    m_hScroll->setMaximum(range < 0 ? 60 : range);
    UserControl_Resize();
}

void FileListView::readProperties(const PropertyBag& bag)
{
    const QPalette pal;
    m_backColor = RenderedButton::colorValue(bag.read(QStringLiteral("BackGroundColor")),
                                             pal.color(QPalette::Button));
    m_foreColor = RenderedButton::colorValue(bag.read(QStringLiteral("ForeColor")),
                                             pal.color(QPalette::ButtonText));
    QFrame::setEnabled(bag.read(QStringLiteral("Enabled"), true).toBool());
    m_font.setItalic(bag.read(QStringLiteral("FontItalic"), false).toBool());
    const QString family = bag.read(QStringLiteral("FontName"), QStringLiteral("Arial")).toString();
    if (!family.isEmpty())
        m_font.setFamily(family);
    const qreal size = bag.read(QStringLiteral("FontSize"), 9).toDouble();
    m_font.setPointSizeF(size > 0 ? size : 9);
    m_font.setStrikeOut(bag.read(QStringLiteral("FontStrikethru"), false).toBool());
    m_font.setUnderline(bag.read(QStringLiteral("FontUnderline"), false).toBool());
    applyBorderType(bag.read(QStringLiteral("BorderType"), 0).toInt());
}

void FileListView::writeProperties(PropertyBag& bag) const
{
    bag.write(QStringLiteral("BackGroundColor"), m_backColor);
    bag.write(QStringLiteral("ForeColor"), m_foreColor);
    bag.write(QStringLiteral("Enabled"), isEnabled());
    bag.write(QStringLiteral("BorderType"), int(m_borderType));
    bag.write(QStringLiteral("FontItalic"), m_font.italic());
    bag.write(QStringLiteral("FontName"), m_font.family());
    bag.write(QStringLiteral("FontSize"), m_font.pointSizeF());
    bag.write(QStringLiteral("FontStrikethru"), m_font.strikeOut());
    bag.write(QStringLiteral("FontUnderline"), m_font.underline());
}

void FileListView::mainWindowDesign(PropertyBag& bag)
{
    // The system's window background, which Qt calls Base (white, as the browser).
    bag.write(QStringLiteral("BackGroundColor"), QPalette().color(QPalette::Base));
    bag.write(QStringLiteral("ForeColor"), QColor(Qt::black));
    bag.write(QStringLiteral("BorderType"), 2);
    bag.write(QStringLiteral("FontSize"), 12);
}
