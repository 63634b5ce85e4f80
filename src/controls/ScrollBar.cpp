// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScrollBar.h"

#include "ControlsAccessibility.h"

#include "RenderedButton.h"
#include "Twips.h"
#include "controls/PropertyBag.h"

#include <QCoreApplication>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QtMath>

#include <cmath>

namespace
{

const QColor DefaultBackColor(255, 255, 255);
constexpr int FirstRepeatDelay = 300; // ms a press is held before it repeats
constexpr int RepeatInterval = 100;   // ms between the steps of a held press

qint64 roundEven64(double v)
{
    return qint64(std::nearbyint(v)); // halves to even, as the platform rounds
}

// The thumb's limits: not below H - (L + 22), else not above 22 (in this order).
int limitedThumbTop(qint64 top, int H, int L)
{
    if (top > H - (L + 22))
        top = H - (L + 22);
    else if (top < 22)
        top = 22;
    return int(top);
}

void pixel(QPainter& p, int x, int y, const QColor& c)
{
    p.fillRect(QRect(x, y, 1, 1), c);
}

// Rectangle outline with both corners included.
void box(QPainter& p, int x1, int y1, int x2, int y2, const QColor& c)
{
    if (x2 < x1 || y2 < y1)
        return;
    p.fillRect(QRect(x1, y1, x2 - x1 + 1, 1), c);
    p.fillRect(QRect(x1, y2, x2 - x1 + 1, 1), c);
    p.fillRect(QRect(x1, y1, 1, y2 - y1 + 1), c);
    p.fillRect(QRect(x2, y1, 1, y2 - y1 + 1), c);
}

bool isDark(const QColor& c)
{
    return qGray(c.rgb()) < 96;
}

// The arrow picture: a small raised key in shades of the track's
// colour with a triangle pointing up, filling the rectangle it is given.
void paintArrow(QPainter& p, const QRect& r, const QList<QColor>& shades)
{
    p.save();
    QLinearGradient face(r.topLeft(), r.bottomLeft());
    face.setColorAt(0, shades[20]);
    face.setColorAt(1, shades[15]);
    p.fillRect(r, face);
    box(p, r.left(), r.top(), r.right(), r.bottom(), shades[10]);
    // A light inner edge on the top and left, a dark one on the bottom and right.
    p.fillRect(QRect(r.left() + 1, r.top() + 1, r.width() - 2, 1), shades[23]);
    p.fillRect(QRect(r.left() + 1, r.top() + 1, 1, r.height() - 2), shades[23]);
    p.fillRect(QRect(r.left() + 1, r.bottom() - 1, r.width() - 2, 1), shades[13]);
    p.fillRect(QRect(r.right() - 1, r.top() + 1, 1, r.height() - 2), shades[13]);

    const qreal width = qBound(5, int(r.width() * 0.5) | 1, 13); // odd, so the tip sits on a pixel
    const qreal height = std::ceil(width / 2);
    const qreal cx = r.left() + r.width() / 2.0;
    const qreal cy = r.top() + r.height() / 2.0;
    QPainterPath arrow;
    arrow.moveTo(cx - width / 2, cy + height / 2);
    arrow.lineTo(cx + width / 2, cy + height / 2);
    arrow.lineTo(cx, cy - height / 2);
    arrow.closeSubpath();
    p.setRenderHint(QPainter::Antialiasing);
    p.fillPath(arrow, isDark(shades[19]) ? QColor(235, 235, 235) : shades[5]);
    p.restore();
}

// Image2 / Image3, the thumb picture: a rounded grip, pressed in while dragged.
void paintThumb(QPainter& p, const QRect& r, bool dragging, const QList<QColor>& shades,
                const QColor& highlight)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF body = QRectF(r).adjusted(1.5, 1.5, -1.5, -1.5);
    QLinearGradient face(body.topLeft(), body.bottomLeft());
    QColor outline;
    if (dragging) {
        face.setColorAt(0, highlight.lighter(125));
        face.setColorAt(1, highlight);
        outline = highlight.darker(150);
    } else {
        face.setColorAt(0, shades[23]);
        face.setColorAt(1, shades[16]);
        outline = shades[8];
    }
    p.setPen(QPen(outline, 1));
    p.setBrush(face);
    const qreal radius = qMin<qreal>(3, body.width() / 3);
    p.drawRoundedRect(body, radius, radius);

    // Three grip lines across the middle.
    p.setRenderHint(QPainter::Antialiasing, false);
    const int gripWidth = qMax(3, int(body.width() * 0.45));
    const int gx = r.left() + (r.width() - gripWidth) / 2;
    const int gy = r.top() + r.height() / 2;
    const QColor dark = dragging ? highlight.darker(170) : shades[9];
    const QColor light = dragging ? highlight.lighter(160) : shades[24];
    for (int k = -1; k <= 1; ++k) {
        p.fillRect(QRect(gx, gy + 3 * k - 1, gripWidth, 1), dark);
        p.fillRect(QRect(gx, gy + 3 * k, gripWidth, 1), light);
    }
    p.restore();
}

} // namespace

ScrollBar::ScrollBar(QWidget* parent) : QWidget(parent)
{
    ControlsAccessibility::install();
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true); // a move without a button ends a drag
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_repeatTimer.setInterval(RepeatInterval);
    connect(&m_repeatTimer, &QTimer::timeout, this, [this] {
        if (m_repeatTimer.interval() != RepeatInterval)
            m_repeatTimer.setInterval(RepeatInterval); // held past the first delay
        timerTick();
    });
    for (int j = 0; j < 25; ++j)
        m_shadeTable.append(shade(m_backColor, j));
}

ScrollBar::~ScrollBar() = default;

QColor ScrollBar::shade(const QColor& base, int j)
{
    const int k = (j + 1) * 10;
    auto part = [k](int c) { return qMin(255, Twips::roundEven(k * c / 200.0)); };
    return QColor(part(base.red()), part(base.green()), part(base.blue()));
}

QSize ScrollBar::sizeHint() const
{
    return QSize(15, 120);
}

// ---- properties -------------------------------------------------------------

int ScrollBar::limitedValue(qint64 value) const
{
    if (value > m_valueMax)
        value = m_valueMax;
    if (value < m_valueMin)
        value = m_valueMin;
    return int(value);
}

void ScrollBar::setValue(int value)
{
    m_value = limitedValue(value);
    if (m_valueMax > 0)
        m_thumbTop = thumbTopFor(m_value);
    repaintBar();
    emit changed();
}

void ScrollBar::setValueMin(int value)
{
    m_valueMin = value;
}

void ScrollBar::setValueMax(int value)
{
    m_valueMax = value;
    repaintBar();
}

void ScrollBar::setValueLargeChange(int value)
{
    m_largeChange = value;
}

void ScrollBar::setValueSmallChange(int value)
{
    m_smallChange = value;
}

void ScrollBar::setBackColor(const QColor& color)
{
    m_backColor = color;
    layoutStep();
}

void ScrollBar::refresh()
{
    layoutStep();
}

void ScrollBar::readProperties(const PropertyBag& bag)
{
    m_backColor =
        RenderedButton::colorValue(bag.read(QStringLiteral("BackColor")), DefaultBackColor);
    m_valueMin = bag.read(QStringLiteral("ValueMin"), 0).toInt();
    m_valueMax = bag.read(QStringLiteral("ValueMax"), 100).toInt();
    m_largeChange = bag.read(QStringLiteral("ValueLargeChange"), 5).toInt();
    m_smallChange = bag.read(QStringLiteral("ValueSmallChange"), 1).toInt();
    m_value = limitedValue(bag.read(QStringLiteral("Value"), 0).toLongLong());
    QWidget::setEnabled(bag.read(QStringLiteral("Enabled"), true).toBool());
    layoutStep();
}

// ---- drawing ----------------------------------------------------------------

int ScrollBar::thumbTopFor(int value) const
{
    const int H = height();
    const int L = m_thumbLength;
    const double fraction =
        m_valueMax != m_valueMin
            ? double(qint64(value) - m_valueMin) / (double(m_valueMax) - m_valueMin)
            : 0.0; // ValueMax = ValueMin: the thumb rests at the top
    return limitedThumbTop(roundEven64(fraction * (H - (L + 23))), H, L);
}

QRect ScrollBar::thumbRect() const
{
    return QRect(0, m_thumbTop, width(), m_thumbLength + 2);
}

void ScrollBar::layoutStep()
{
    // 1. Shade table.
    m_shadeTable.clear();
    for (int j = 0; j < 25; ++j)
        m_shadeTable.append(shade(m_backColor, j));

    const int W = width();
    const int H = height();
    if (W > 0 && H > 0) {
        // 2. A new background picture.
        const qreal dpr = devicePixelRatioF();
        QImage image(QSize(qCeil(W * dpr), qCeil(H * dpr)), QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(dpr);
        image.fill(m_backColor);
        QPainter p(&image);
        // 3. Checkerboard texture at 70 percent.
        const QColor texture = m_shadeTable[13];
        for (int y = 20; y <= H - 22; y += 2) {
            for (int x = 0; x <= W; x += 2) {
                pixel(p, x, y, texture);
                pixel(p, x + 1, y + 1, texture);
            }
        }
        // 4. Outer frame at 55 percent, inner frame at 80 percent.
        box(p, 0, 0, W - 1, H - 1, m_shadeTable[10]);
        box(p, 1, 1, W - 2, H - 2, m_shadeTable[15]);
        // 5. The arrow at the top, and mirrored top to bottom at the bottom edge.
        paintArrow(p, QRect(0, 0, W, 20), m_shadeTable);
        p.save();
        p.translate(0, H);
        p.scale(1, -1);
        paintArrow(p, QRect(0, 0, W, 20), m_shadeTable);
        p.restore();
        p.end();
        // 6. Keep it as the background picture.
        m_background = image;
    }
    // 7, 8. Thumb length and position; 9. repaint.
    m_thumbLength = 20;
    m_thumbTop = thumbTopFor(m_value);
    repaintBar();
}

void ScrollBar::repaintBar()
{
    m_surface = m_background;
    if (m_valueMax > 0 && !m_surface.isNull()) {
        QPainter p(&m_surface);
        paintThumb(p, thumbRect(), m_dragging, m_shadeTable, palette().color(QPalette::Highlight));
        if (m_dragging)
            box(p, 1, 20, width() - 2, height() - 21, palette().color(QPalette::Light));
    }
    update();
}

void ScrollBar::outlineTrack(const QColor& color)
{
    if (m_surface.isNull())
        return;
    QPainter p(&m_surface);
    box(p, 1, 20, width() - 2, height() - 21, color);
    p.end();
    update();
}

void ScrollBar::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), m_backColor);
    if (m_surface.isNull())
        return;
    p.drawImage(QPointF(0, 0), m_surface);
    if (!qFuzzyCompare(m_surface.devicePixelRatio(), devicePixelRatioF()))
        QMetaObject::invokeMethod(this, &ScrollBar::layoutStep, Qt::QueuedConnection);
}

void ScrollBar::resizeEvent(QResizeEvent*)
{
    layoutStep();
}

// ---- input ------------------------------------------------------------------

bool ScrollBar::letPendingEventsRun(QWidget* self)
{
    QPointer<QWidget> alive(self);
    QCoreApplication::processEvents();
    return !alive.isNull();
}

void ScrollBar::mousePressEvent(QMouseEvent* event)
{
    if (m_valueMin == m_valueMax || event->buttons() == Qt::NoButton)
        return;
    m_changePending = false;
    const double y = event->position().y();
    if (m_thumbTop < y && y < m_thumbTop + m_thumbLength) {
        m_dragging = true;
    } else {
        m_dragging = false;
        m_pressY = Twips::roundEven(y);
        // The press steps at once: a tap released before any repeat counts too.
        m_repeatTimer.start(FirstRepeatDelay);
        timerTick();
    }
}

void ScrollBar::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() == Qt::NoButton || !m_dragging) {
        m_dragging = false; // no repaint: the dragging picture stays until the next one
        letPendingEventsRun(this);
        return;
    }
    const float y = float(event->position().y());
    if (y == m_lastDragY)
        return;
    const int H = height();
    const int L = m_thumbLength;
    // 1, 2. The thumb follows the pointer inside the track.
    int top = Twips::roundEven(y - L / 2.0 - 3);
    double d;
    if (top >= 22) {
        if (H - (L + 22) < top) {
            top = H - (L + 22);
            d = H - 22;
        } else {
            d = y - 22;
        }
    } else {
        top = 22;
        d = 0;
    }
    m_thumbTop = top;
    // 3. The value from the thumb's place.
    const double span = H - (L + 12);
    const double raw =
        span > 0 ? m_valueMin + d / span * (double(m_valueMax) - m_valueMin) : m_valueMin;
    m_value = limitedValue(roundEven64(qBound<double>(-1e18, raw, 1e18)));
    // 4. Repaint, and tell the container unless a press or release came in between.
    m_changePending = true;
    m_lastDragY = y;
    if (!letPendingEventsRun(this))
        return;
    repaintBar();
    QPointer<ScrollBar> self(this);
    if (m_changePending)
        emit changed();
    if (self)
        m_changePending = false;
}

void ScrollBar::mouseReleaseEvent(QMouseEvent*)
{
    m_repeatTimer.stop();
    repaintBar();
    outlineTrack(Qt::black);
    m_changePending = false;
    QPointer<ScrollBar> self(this);
    emit changed();
    if (self)
        letPendingEventsRun(this);
}

void ScrollBar::timerTick()
{
    const int H = height();
    const int M = m_pressY;
    const int T = m_thumbTop;
    const int L = m_thumbLength;
    int offset = 0;
    bool down = false;

    // 1. The thumb has reached the press point: nothing this tick.
    if (T - 3 <= M && M <= T + L + 6)
        return;

    // 2 to 5: the first that applies acts.
    qint64 value = m_value;
    if (M < 22 && m_value > m_valueMin) {
        value -= m_smallChange; // upper arrow
    } else if (M > H - 22 && m_value < m_valueMax) {
        value += m_smallChange; // lower arrow
        offset = 22;
    } else if (T < M && M < H - 22) {
        value += m_largeChange; // track below the thumb
        offset = 22;
        down = true;
    } else if (22 < M && M < T) {
        if (M < T - (L + 6)) // track above the thumb
            value -= m_largeChange;
        else if (H > 0)
            value = roundEven64(m_value - double(T - M) / H * (double(m_valueMax) - m_valueMin));
    }
    // 6. Limits.
    m_value = limitedValue(value);
    // 7. Thumb position, with the offset of a downward step.
    const double fraction = m_valueMax != m_valueMin ? double(qint64(m_value) - m_valueMin) /
                                                           (double(m_valueMax) - m_valueMin)
                                                     : 0.0;
    const int top = limitedThumbTop(roundEven64(fraction * (H - (L + 23)) + offset), H, L);
    m_thumbTop = top;
    // 8. Show it and tell the container.
    if (!letPendingEventsRun(this))
        return;
    repaintBar();
    outlineTrack(Qt::black);
    QPointer<ScrollBar> self(this);
    emit changed();
    if (!self)
        return;
    // 9. A downward page stops once the thumb has passed the press point.
    if (down && M < top)
        m_repeatTimer.stop();
}

void ScrollBar::focusOutEvent(QFocusEvent*)
{
    repaintBar();
}
