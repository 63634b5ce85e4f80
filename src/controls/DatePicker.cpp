#include "DatePicker.h"

#include "RenderedButton.h"
#include "Twips.h"
#include "platform/DateText.h"

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QScreen>
#include <QTimer>

#include <algorithm>

namespace
{

const QColor CellColor(153, 204, 204);
const QColor TodayColor(0, 255, 255);
const QColor SelectedColor(255, 224, 192);
const QColor CaptionColor(187, 173, 1);
const QColor DateBackColor(224, 224, 224);
const QColor SurfaceColor(240, 240, 240);
const QColor FrameColor(128, 128, 128);

constexpr int PictureWidth = 33;
constexpr int PictureHeight = 31;

QDate pinnedToday;

// The closed-state picture, 33 x 31 pixels: a small desk calendar in the
// calendar's own colours (olive caption band, teal day cells, today and the
// selected day marked), drawn as shapes so it is sharp at every scale.
void paintCalendarPicture(QPainter& p)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF page(3.5, 5.5, 26, 22);
    QPainterPath pagePath;
    pagePath.addRoundedRect(page, 2.5, 2.5);

    // Drop shadow, page, caption band.
    p.fillPath(pagePath.translated(1, 1), QColor(0, 0, 0, 60));
    QLinearGradient paper(page.topLeft(), page.bottomLeft());
    paper.setColorAt(0, QColor(255, 255, 255));
    paper.setColorAt(1, QColor(232, 236, 236));
    p.fillPath(pagePath, paper);
    p.save();
    p.setClipPath(pagePath);
    QLinearGradient band(0, page.top(), 0, page.top() + 7);
    band.setColorAt(0, CaptionColor.lighter(125));
    band.setColorAt(1, CaptionColor);
    p.fillRect(QRectF(page.left(), page.top(), page.width(), 7), band);
    p.restore();
    p.setPen(QPen(QColor(70, 70, 60), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(pagePath);

    // Two binder rings over the top edge.
    p.setPen(Qt::NoPen);
    for (const qreal x : {9.0, 21.0}) {
        p.setBrush(QColor(60, 60, 60));
        p.drawRoundedRect(QRectF(x, 2.5, 3, 6), 1.5, 1.5);
        p.setBrush(QColor(200, 200, 200));
        p.drawRoundedRect(QRectF(x + 0.5, 3, 1, 4), 0.5, 0.5);
    }

    // Day cells: three weeks of five days.
    p.setRenderHint(QPainter::Antialiasing, false);
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 5; ++col) {
            QColor c = CellColor.darker(118);
            if (row == 1 && col == 2)
                c = TodayColor.darker(110);
            else if (row == 2 && col == 3)
                c = SelectedColor.darker(125);
            p.fillRect(QRect(7 + 4 * col, 15 + 4 * row, 3, 3), c);
        }
    }
    p.restore();
}

// CalanderButton: the picture control; clicks fall through to the calendar.
class CalendarPicture : public QWidget
{
public:
    explicit CalendarPicture(QWidget* parent) : QWidget(parent)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFixedSize(PictureWidth, PictureHeight);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        paintCalendarPicture(p);
    }
};

} // namespace

DatePicker::DatePicker(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);

    // The month and year captions.
    m_monthCaption = makeButton(765, 90, 1500, 420);
    m_yearCaption = makeButton(2160, 90, 1230, 420);
    for (RenderedButton* b : {m_monthCaption, m_yearCaption}) {
        b->setEnabled(false);
        b->setFontSize(12);
        b->setBorder(3);
        b->setRenderColor(CaptionColor);
    }

    // Weekday headers.
    static const int lefts[7] = {45, 630, 1215, 1800, 2385, 2970, 3525};
    static const int widths[7] = {645, 600, 600, 600, 600, 600, 630};
    static const char* const names[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    for (int i = 0; i < 7; ++i) {
        RenderedButton* b = makeButton(lefts[i], 450, widths[i], i == 1 || i == 5 ? 270 : 315);
        b->setEnabled(false);
        if (i == 0 || i == 6)
            b->setBorder(3);
        b->setCaption(QString::fromLatin1(names[i]));
        m_weekdayCaptions[i] = b;
    }

    // The 6 x 7 day buttons.
    for (int k = 0; k < 42; ++k) {
        RenderedButton* b = makeButton(45 + 585 * (k % 7), 720 + 585 * (k / 7), 600, 600);
        b->setFontSize(11.25);
        connect(b, &RenderedButton::clicked, this, [this, k] { dayClicked(k); });
        connect(b, &RenderedButton::mouseMove, this, [this, k] { dayHovered(k); });
        m_dayButtons[k] = b;
    }

    // Month steps.
    m_monthSteps[0] = makeButton(45, 4500, 2085, 600);
    m_monthSteps[1] = makeButton(2115, 4500, 2040, 600);
    for (int i = 0; i < 2; ++i) {
        m_monthSteps[i]->setFontSize(12);
        m_monthSteps[i]->setCaption(i == 0 ? QStringLiteral("<") : QStringLiteral(">"));
        connect(m_monthSteps[i], &RenderedButton::clicked, this, [this, i] { monthStep(i); });
    }

    // The date text box.
    m_dateBox = new QLineEdit(this);
    m_dateBox->setFrame(false);
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(12);
    font.setBold(true);
    m_dateBox->setFont(font);
    QPalette pal = m_dateBox->palette();
    pal.setColor(QPalette::Base, DateBackColor);
    pal.setColor(QPalette::Text, Qt::black);
    m_dateBox->setPalette(pal);
    m_dateBox->setGeometry(Twips::toPixels(45, 4230, m_dateXWidth, m_dateXHeight, this));
    m_dateBox->installEventFilter(this);
    setFocusProxy(m_dateBox);

    // The closed-state picture, on top of the others.
    m_calendarButton = new CalendarPicture(this);
    m_calendarButton->move(0, 0);

    // Start on today, closed, nothing selected.
    const QDate now = today();
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

RenderedButton* DatePicker::makeButton(double left, double top, double width, double height)
{
    auto* b = new RenderedButton(this);
    b->setFocusPolicy(Qt::NoFocus); // the keyboard stays in DateX
    b->setGeometry(Twips::toPixels(left, top, width, height, this));
    return b;
}

QSize DatePicker::openSize() const
{
    return QSize(Twips::toPixelsX(4170, this), Twips::toPixelsY(5085, this));
}

QSize DatePicker::closedSize() const
{
    return QSize(PictureWidth, Twips::toPixelsY(450, this));
}

// ---- dates ------------------------------------------------------------------

QDate DatePicker::dateSerial(int year, int month, int day)
{
    const int m = month - 1;
    const int carry = m >= 0 ? m / 12 : -((11 - m) / 12);
    const QDate first(year + carry, m - 12 * carry + 1, 1);
    if (!first.isValid())
        return {};
    const QDate date = first.addDays(qint64(day) - 1);
    if (!date.isValid() || date.year() < 100 || date.year() > 9999)
        return {};
    return date;
}

void DatePicker::setToday(const QDate& date)
{
    pinnedToday = date;
}

QDate DatePicker::today()
{
    return pinnedToday.isValid() ? pinnedToday : QDate::currentDate();
}

QString DatePicker::monthName(int month) const
{
    return DateText::locale().standaloneMonthName(month, QLocale::LongFormat); // "mmmm"
}

QDateTime DatePicker::theDate() const
{
    const QDate date = dateSerial(m_currentYear, m_currentMonth, m_currentDay);
    return date.isValid() ? QDateTime(date, QTime(0, 0)) : DateText::zeroDate();
}

void DatePicker::setTheDate(const QDateTime& date)
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
    const QDate first = dateSerial(m_currentYear, m_currentMonth, 1);
    if (!first.isValid())
        return;
    m_monthCaption->setCaption(monthName(first.month()));
    m_yearCaption->setCaption(QString::number(m_currentYear));
    for (RenderedButton* b : m_dayButtons) {
        b->setEnabled(false);
        b->setCaption(QString());
        b->setRenderColor(CellColor);
    }
    const int weekday = first.dayOfWeek() % 7 + 1; // Sunday = 1 ... Saturday = 7
    const QDate start = first.addDays(-(weekday - 1));
    const QDate now = today();
    for (int i = 0; i <= 36; ++i) {
        const QDate d = start.addDays(i);
        RenderedButton* b = m_dayButtons[i];
        if (i < 7 && d.day() > 8) {
            // a day of the previous month: blank
        } else if (i >= 29 && d.day() < 8) {
            break; // a day of the next month: the month is complete
        } else {
            b->setCaption(QString::number(d.day()));
            b->setEnabled(true);
        }
        if (d == now)
            b->setRenderColor(TodayColor);
        if (m_selectedDate.date() == d && m_selectedDate.time() == QTime(0, 0))
            b->setRenderColor(SelectedColor);
    }
}

// ---- opening and closing ----------------------------------------------------

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
    m_isOpen = 1;
    m_pictureOnSurface = true;
    update();
    if (!letPaintsRun())
        return;
    resize(openSize());
    raise();
    showWhole();
    const QDateTime typed = DateText::parse(m_dateBox->text());
    if (typed.isValid()) {
        setTheDate(typed);
    } else {
        const QDate now = today();
        setTheDate(QDateTime(now, QTime(0, 0)));
        m_dateBox->setText(DateText::shortDate(now));
    }
}

void DatePicker::surfaceClicked()
{
    if (m_isOpen != 1) {
        open();
        return;
    }
    clearSurface();
    m_isOpen = 0;
    backInContainer();
    resize(closedSize());
    m_dateBox->setText(DateText::shortDate(theDate().date()));
}

void DatePicker::closeAsOnFocusLoss()
{
    clearSurface();
    backInContainer();
    resize(closedSize());
    m_isOpen = 0;
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
        // Open, but leave IsOpen at 0: the click that brought the focus opens once more.
        if (m_isOpen == 0) {
            open();
            m_isOpen = 0;
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
    const QDate date = dateSerial(m_currentYear, m_currentMonth, m_currentDay);
    QPointer<DatePicker> alive(this);
    if (date.isValid())
        m_dateBox->setText(DateText::shortDate(date)); // raises Change
    if (!alive)
        return;
    m_isOpen = 0;
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
    const QDate date = dateSerial(m_currentYear, m_currentMonth, m_currentDay);
    if (date.isValid())
        m_dateBox->setText(DateText::shortDate(date));
}

void DatePicker::dayHovered(int k)
{
    RenderedButton* b = m_dayButtons[k];
    b->setToolTip(b->caption() + QLatin1Char(' ') + m_monthCaption->caption() + QLatin1Char(' ') +
                  m_yearCaption->caption());
}

// ---- properties -------------------------------------------------------------

QString DatePicker::text() const
{
    return m_dateBox->text();
}

void DatePicker::setText(const QString& text)
{
    m_dateBox->setText(text);
    emit propertyChanged(QStringLiteral("Text"));
}

QString DatePicker::dateToolTipText() const
{
    return m_dateBox->toolTip();
}

void DatePicker::setDateToolTipText(const QString& text)
{
    m_dateBox->setToolTip(text);
    emit propertyChanged(QStringLiteral("DateToolTipText"));
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
    emit propertyChanged(QStringLiteral("FontName"));
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
    // Scale the text box as the original does: its twips divided by 15 and
    // multiplied by the screen's twips per pixel (no change at 96 DPI).
    m_dateXWidth = m_dateXWidth / 15 * Twips::perPixelX(this);
    m_dateXHeight = m_dateXHeight / 15 * Twips::perPixelY(this);
    m_dateBox->resize(Twips::toPixelsX(m_dateXWidth, this), Twips::toPixelsY(m_dateXHeight, this));
    emit propertyChanged(QStringLiteral("FontSize"));
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
    emit propertyChanged(QStringLiteral("FontBold"));
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
    emit propertyChanged(QStringLiteral("FontItalic"));
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
    QPalette pal = m_dateBox->palette();
    pal.setColor(QPalette::Base, color);
    m_dateBox->setPalette(pal);
}

QColor DatePicker::foreColor() const
{
    return m_dateBox->palette().color(QPalette::Text);
}

void DatePicker::setForeColor(const QColor& color)
{
    QPalette pal = m_dateBox->palette();
    pal.setColor(QPalette::Text, color);
    m_dateBox->setPalette(pal);
}

void DatePicker::setEnabled(bool enabled)
{
    QWidget::setEnabled(enabled);
    emit propertyChanged(QStringLiteral("Enabled"));
}

void DatePicker::refresh()
{
    update();
}

// ---- events -----------------------------------------------------------------

void DatePicker::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (height() > closedSize().height()) {
        p.fillRect(rect(), SurfaceColor);
        p.setPen(FrameColor);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    if (m_pictureOnSurface)
        paintCalendarPicture(p);
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
    if (watched != m_dateBox)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        int keyCode = RenderedButton::virtualKeyCode(key);
        int shift = RenderedButton::shiftCode(key->modifiers());
        QPointer<DatePicker> alive(this);
        emit keyDown(keyCode, shift);
        if (!alive)
            return true;
        if (!key->text().isEmpty()) {
            const int typed = key->text().at(0).unicode();
            int keyAscii = typed;
            emit keyPress(keyAscii);
            if (!alive)
                return true;
            if (keyAscii == 0)
                return true; // the container dropped the character
            if (keyAscii != typed) {
                const QChar replaced{char16_t(keyAscii)};
                if (replaced.isPrint())
                    m_dateBox->insert(QString(replaced));
                return true;
            }
        }
        break;
    }
    case QEvent::KeyRelease: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (!key->isAutoRepeat()) {
            int keyCode = RenderedButton::virtualKeyCode(key);
            int shift = RenderedButton::shiftCode(key->modifiers());
            emit keyUp(keyCode, shift);
        }
        break;
    }
    case QEvent::MouseButtonDblClick:
        emit doubleClicked();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}
