// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "DatePicker.h"

#include "ControlsAccessibility.h"

#include "CalendarMonth.h"
#include "CalendarPicture.h"
#include "RenderedButton.h"
#include "Twips.h"
#include "platform/DateText.h"

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QTimer>

#include <algorithm>

namespace
{

const QColor DateBackColor(224, 224, 224);
const QColor SurfaceColor(240, 240, 240);
const QColor FrameColor(128, 128, 128);

} // namespace

DatePicker::DatePicker(QWidget* parent) : QWidget(parent)
{
    ControlsAccessibility::install();
    setFocusPolicy(Qt::StrongFocus);

    // The month and year captions.
    m_monthCaption = makeButton(765, 90, 1500, 420, "monthCaption");
    m_yearCaption = makeButton(2160, 90, 1230, 420, "yearCaption");
    for (RenderedButton* b : {m_monthCaption, m_yearCaption}) {
        b->setEnabled(false);
        b->setFontSize(12);
        b->setBorder(3);
        b->setRenderColor(CalendarColors::Caption);
    }

    // Weekday headers.
    static const int lefts[7] = {45, 630, 1215, 1800, 2385, 2970, 3525};
    static const int widths[7] = {645, 600, 600, 600, 600, 600, 630};
    for (int i = 0; i < 7; ++i) {
        RenderedButton* b =
            makeButton(lefts[i], 450, widths[i], i == 1 || i == 5 ? 270 : 315, "weekdayCaption");
        b->setEnabled(false);
        if (i == 0 || i == 6)
            b->setBorder(3);
        m_weekdayCaptions[i] = b;
    }

    // The 6 x 7 day buttons.
    for (int k = 0; k < 42; ++k) {
        RenderedButton* b =
            makeButton(45 + 585 * (k % 7), 720 + 585 * (k / 7), 600, 600, "dayButton");
        b->setFontSize(11.25);
        connect(b, &RenderedButton::clicked, this, [this, k] { dayClicked(k); });
        connect(b, &RenderedButton::mouseMove, this, [this, k] { dayHovered(k); });
        m_dayButtons[k] = b;
    }

    // Month steps.
    m_monthSteps[0] = makeButton(45, 4500, 2085, 600, "monthStepButton");
    m_monthSteps[1] = makeButton(2115, 4500, 2040, 600, "monthStepButton");
    for (int i = 0; i < 2; ++i) {
        m_monthSteps[i]->setFontSize(12);
        m_monthSteps[i]->setCaption(i == 0 ? QStringLiteral("<") : QStringLiteral(">"));
        connect(m_monthSteps[i], &RenderedButton::clicked, this, [this, i] { monthStep(i); });
    }

    // The date text box.
    m_dateBox = new QLineEdit(this);
    m_dateBox->setObjectName(QStringLiteral("dateBox"));
    m_dateBox->setFrame(false);
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(12);
    font.setBold(true);
    m_dateBox->setFont(font);
    setBoxColor(QPalette::Base, DateBackColor);
    setBoxColor(QPalette::Text, Qt::black);
    m_dateBox->setGeometry(Twips::toPixels(45, 4230, m_dateXWidth, m_dateXHeight, this));
    m_dateBox->installEventFilter(this);
    setFocusProxy(m_dateBox);

    // The closed-state picture, on top of the others.
    m_calendarButton = new CalendarPicture(this);
    m_calendarButton->setObjectName(QStringLiteral("calendarButton"));
    m_calendarButton->move(0, 0);

    // Start on today, closed, nothing selected.
    const QDate now = CalendarMonth::today();
    m_currentDay = qint16(now.day());
    m_currentMonth = qint16(now.month());
    m_currentYear = qint16(now.year());
    m_selectedDate = DateText::zeroDate();
    m_monthCaption->setCaption(monthName(now.month()));
    m_yearCaption->setCaption(QString::number(now.year()));
    m_dateBox->setText(DateText::shortDate(now));
    showMonth();
    resize(closedSize());

    connect(m_dateBox, &QLineEdit::textChanged, this, &DatePicker::changed);
    connect(qApp, &QApplication::focusChanged, this, &DatePicker::focusChanged);
}

DatePicker::~DatePicker()
{
    // The children go (and the focus with them) after this object's own part.
    disconnect(qApp, &QApplication::focusChanged, this, nullptr);
    m_dateBox->removeEventFilter(this);
}

RenderedButton* DatePicker::makeButton(double left, double top, double width, double height,
                                       const char* name)
{
    auto* b = new RenderedButton(this);
    b->setObjectName(QLatin1String(name));
    b->setFocusPolicy(Qt::NoFocus); // the keyboard stays in the date box
    b->setGeometry(Twips::toPixels(left, top, width, height, this));
    return b;
}

QSize DatePicker::openSize() const
{
    return QSize(Twips::toPixelsX(4170, this), Twips::toPixelsY(5085, this));
}

QSize DatePicker::closedSize() const
{
    return QSize(CalendarPicture::Width, Twips::toPixelsY(450, this));
}

QString DatePicker::monthName(int month) const
{
    return DateText::locale().standaloneMonthName(month, QLocale::LongFormat); // "mmmm"
}

QDateTime DatePicker::date() const
{
    const QDate date = CalendarMonth::dateSerial(m_currentYear, m_currentMonth, m_currentDay);
    return date.isValid() ? QDateTime(date, QTime(0, 0)) : DateText::zeroDate();
}

void DatePicker::setDate(const QDateTime& date)
{
    if (!date.isValid())
        return;
    m_selectedDate = date;
    m_currentDay = qint16(date.date().day());
    m_currentMonth = qint16(date.date().month());
    m_currentYear = qint16(date.date().year());
    m_yearCaption->setCaption(QString::number(m_currentYear));
    m_monthCaption->setCaption(monthName(m_currentMonth));
    showMonth();
}

void DatePicker::showMonth()
{
    const QDate first = CalendarMonth::dateSerial(m_currentYear, m_currentMonth, 1);
    if (!first.isValid())
        return;
    m_monthCaption->setCaption(monthName(first.month()));
    m_yearCaption->setCaption(QString::number(m_currentYear));
    const QLocale locale = DateText::locale();
    const int firstDay = locale.firstDayOfWeek();
    for (int i = 0; i < 7; ++i)
        m_weekdayCaptions[size_t(i)]->setCaption(
            locale.dayName((firstDay - 1 + i) % 7 + 1, QLocale::ShortFormat));
    const auto cells = CalendarMonth::cells(first, m_selectedDate, locale.firstDayOfWeek());
    for (size_t k = 0; k < cells.size(); ++k) {
        RenderedButton* b = m_dayButtons[k];
        const CalendarMonth::Cell& cell = cells[k];
        b->setEnabled(cell.day > 0);
        b->setCaption(cell.day > 0 ? QString::number(cell.day) : QString());
        b->setRenderColor(cell.mark == CalendarMonth::Mark::Today      ? CalendarColors::Today
                          : cell.mark == CalendarMonth::Mark::Selected ? CalendarColors::Selected
                                                                       : CalendarColors::Cell);
    }
}

bool DatePicker::letPaintsRun()
{
    QPointer<DatePicker> alive(this);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    return !alive.isNull();
}

void DatePicker::clearSurface()
{
    m_pictureOnSurface = false;
    update();
}

void DatePicker::open()
{
    m_isOpen = true;
    m_pictureOnSurface = true;
    update();
    if (!letPaintsRun())
        return;
    resize(openSize());
    raise();
    showWhole();
    const QDateTime typed = DateText::parse(m_dateBox->text());
    if (typed.isValid()) {
        setDate(typed);
    } else {
        const QDate now = CalendarMonth::today();
        setDate(QDateTime(now, QTime(0, 0)));
        m_dateBox->setText(DateText::shortDate(now));
    }
}

void DatePicker::surfaceClicked()
{
    if (!m_isOpen) {
        open();
        return;
    }
    clearSurface();
    m_isOpen = false;
    backInContainer();
    resize(closedSize());
    m_dateBox->setText(DateText::shortDate(date().date()));
}

void DatePicker::closeAsOnFocusLoss()
{
    clearSurface();
    backInContainer();
    resize(closedSize());
    m_isOpen = false;
}

// The open calendar is shown whole: where its container (the list, the
// window) would cut it, it opens as a drop-down window of its own at the same
// place on the screen, kept on the screen, and goes back when it closes.
bool DatePicker::wholeInWindow() const
{
    const QRect mine(mapTo(window(), QPoint(0, 0)), size());
    for (const QWidget* w = parentWidget(); w; w = w->isWindow() ? nullptr : w->parentWidget()) {
        if (!QRect(w->mapTo(window(), QPoint(0, 0)), w->size()).contains(mine))
            return false;
    }
    return true;
}

void DatePicker::showWhole()
{
    if (m_dropDown || isWindow() || wholeInWindow())
        return;
    QRect place(mapToGlobal(QPoint(0, 0)), size());
    if (const QScreen* s = screen()) {
        const QRect screenArea = s->availableGeometry();
        place.moveBottom(std::min(place.bottom(), screenArea.bottom()));
        place.moveRight(std::min(place.right(), screenArea.right()));
        place.moveTopLeft(QPoint(std::max(place.left(), screenArea.left()),
                                 std::max(place.top(), screenArea.top())));
    }
    m_homePos = pos();
    m_tabBefore = neighbour(false);
    m_dropDown = true;
    m_moving = true;
    setWindowFlags(Qt::Popup | Qt::FramelessWindowHint);
    setGeometry(place);
    show();
    m_dateBox->setFocus(Qt::PopupFocusReason);
    m_moving = false;
}

void DatePicker::backInContainer()
{
    if (!m_dropDown)
        return;
    m_dropDown = false;
    m_moving = true;
    setWindowFlags(Qt::Widget);
    move(m_homePos);
    show();
    if (m_tabBefore) // a widget changing its window goes last in the tab order
        QWidget::setTabOrder(m_tabBefore, this);
    m_moving = false;
    // Back while the platform was still closing the drop-down, which hides
    // it once more: it shows again when that is done.
    QTimer::singleShot(0, this, [this] {
        if (!isWindow() && !m_dropDown && !isVisible()) {
            hide();
            show();
        }
    });
}

// The drop-down closed by the platform (a click outside it, Escape) closes
// the calendar as a lost focus does, once the window is gone.
void DatePicker::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (m_dropDown && !m_moving)
        QTimer::singleShot(0, this, [this] {
            if (m_dropDown)
                closeAsOnFocusLoss();
        });
}

void DatePicker::focusChanged(QWidget* old, QWidget* now)
{
    if (m_moving)
        return;
    auto inside = [this](QWidget* w) { return w && (w == this || isAncestorOf(w)); };
    const bool wasInside = inside(old);
    const bool isInside = inside(now);
    if (!wasInside && isInside) {
        // Open, but leave isOpen() false: the click that brought the focus opens once more.
        if (!m_isOpen) {
            open();
            m_isOpen = false;
        }
    } else if (wasInside && !isInside) {
        closeAsOnFocusLoss();
    }
}

void DatePicker::closeCalendar()
{
    closeAsOnFocusLoss();
    QPalette pal = m_dateBox->palette();
    pal.setColor(QPalette::Text, Qt::black);
    m_dateBox->setPalette(pal);
    m_calendarButton->hide();
}

void DatePicker::dayClicked(int k)
{
    m_currentDay = qint16(m_dayButtons[k]->caption().toInt());
    const QDate date = CalendarMonth::dateSerial(m_currentYear, m_currentMonth, m_currentDay);
    QPointer<DatePicker> alive(this);
    if (date.isValid())
        m_dateBox->setText(DateText::shortDate(date)); // raises Change
    if (!alive)
        return;
    m_isOpen = false;
    clearSurface();
    backInContainer();
    resize(closedSize());
    if (!letPaintsRun())
        return;
    emit clicked();
}

void DatePicker::monthStep(int index)
{
    m_currentMonth = qint16(m_currentMonth + (index == 0 ? -1 : 1));
    if (m_currentMonth < 1) {
        m_currentMonth = 12;
        --m_currentYear;
    } else if (m_currentMonth > 12) {
        m_currentMonth = 1;
        ++m_currentYear;
    }
    showMonth();
    const QDate date = CalendarMonth::dateSerial(m_currentYear, m_currentMonth, m_currentDay);
    if (date.isValid())
        m_dateBox->setText(DateText::shortDate(date));
}

void DatePicker::dayHovered(int k)
{
    RenderedButton* b = m_dayButtons[k];
    b->setToolTip(b->caption() + QLatin1Char(' ') + m_monthCaption->caption() + QLatin1Char(' ') +
                  m_yearCaption->caption());
}

QString DatePicker::text() const
{
    return m_dateBox->text();
}

void DatePicker::setText(const QString& text)
{
    m_dateBox->setText(text);
}

QString DatePicker::dateToolTipText() const
{
    return m_dateBox->toolTip();
}

void DatePicker::setDateToolTipText(const QString& text)
{
    m_dateBox->setToolTip(text);
}

QString DatePicker::fontName() const
{
    return m_dateBox->font().family();
}

void DatePicker::setFontName(const QString& name)
{
    QFont font = m_dateBox->font();
    font.setFamily(name);
    m_dateBox->setFont(font);
}

float DatePicker::fontSize() const
{
    return float(m_dateBox->font().pointSizeF());
}

void DatePicker::setFontSize(float points)
{
    if (points > 0) {
        QFont font = m_dateBox->font();
        font.setPointSizeF(points);
        m_dateBox->setFont(font);
    }
    // Scale the text box: its twips divided by 15 and multiplied by the
    // screen's twips per pixel (no change at 96 DPI).
    m_dateXWidth = m_dateXWidth / 15 * Twips::perPixelX(this);
    m_dateXHeight = m_dateXHeight / 15 * Twips::perPixelY(this);
    m_dateBox->resize(Twips::toPixelsX(m_dateXWidth, this), Twips::toPixelsY(m_dateXHeight, this));
}

bool DatePicker::fontBold() const
{
    return m_dateBox->font().bold();
}

void DatePicker::setFontBold(bool bold)
{
    QFont font = m_dateBox->font();
    font.setBold(bold);
    m_dateBox->setFont(font);
}

bool DatePicker::fontItalic() const
{
    return m_dateBox->font().italic();
}

void DatePicker::setFontItalic(bool italic)
{
    QFont font = m_dateBox->font();
    font.setItalic(italic);
    m_dateBox->setFont(font);
}

void DatePicker::setFontCharset(int charset)
{
    m_fontCharset = qint16(charset);
}

QColor DatePicker::backColor() const
{
    return m_dateBox->palette().color(QPalette::Base);
}

void DatePicker::setBackColor(const QColor& color)
{
    setBoxColor(QPalette::Base, color);
}

QColor DatePicker::foreColor() const
{
    return m_dateBox->palette().color(QPalette::Text);
}

void DatePicker::setForeColor(const QColor& color)
{
    setBoxColor(QPalette::Text, color);
}

void DatePicker::setBoxColor(QPalette::ColorRole role, const QColor& color)
{
    QPalette pal = m_dateBox->palette();
    pal.setColor(role, color);
    m_dateBox->setPalette(pal);
}

void DatePicker::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (height() > closedSize().height()) {
        p.fillRect(rect(), SurfaceColor);
        p.setPen(FrameColor);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    if (m_pictureOnSurface)
        CalendarPicture::paint(p);
}

void DatePicker::mousePressEvent(QMouseEvent* event)
{
    if (m_dropDown && !rect().contains(event->position().toPoint())) {
        close(); // a press outside the drop-down closes it, as any drop-down
        return;
    }
    m_pressed = event->button() == Qt::LeftButton;
}

void DatePicker::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click)
        surfaceClicked();
}

bool DatePicker::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_dateBox && event->type() == QEvent::KeyPress &&
        boxKey(*static_cast<QKeyEvent*>(event)))
        return true;
    if (watched == m_dateBox && event->type() == QEvent::MouseButtonDblClick)
        emit doubleClicked();
    return QWidget::eventFilter(watched, event);
}

// Tab and Shift+Tab leave the open calendar for the next or previous
// control, where a drop-down would keep them; Escape closes it.
bool DatePicker::boxKey(const QKeyEvent& key)
{
    const bool tab = key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab;
    const bool open = height() > closedSize().height();
    if (!tab && !(key.key() == Qt::Key_Escape && open))
        return false;
    closeAsOnFocusLoss();
    const bool forward = key.key() == Qt::Key_Tab && !(key.modifiers() & Qt::ShiftModifier);
    if (QWidget* next = tab ? neighbour(forward) : nullptr) {
        next->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        next->activateWindow(); // back from the drop-down's window
    }
    return true;
}

// The control before or after this one in the window's tab order.
QWidget* DatePicker::neighbour(bool forward) const
{
    QWidget* w = const_cast<DatePicker*>(this);
    for (int step = 0; step < 10000; ++step) {
        w = forward ? w->nextInFocusChain() : w->previousInFocusChain();
        if (w == this)
            return nullptr;
        if (!isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && w->isEnabled() &&
            w->isVisibleTo(window()))
            return w;
    }
    return nullptr;
}
