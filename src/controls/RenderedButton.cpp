// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "RenderedButton.h"

#include "ControlsAccessibility.h"

#include "Twips.h"
#include "controls/PropertyBag.h"

#include <QApplication>
#include <QCursor>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QtMath>

#include <utility>

namespace
{

const QColor DefaultBackColor(255, 224, 192);
const QColor DefaultRenderColor(192, 192, 192);
const QRgb Magenta = qRgb(255, 0, 255);
const QColor FocusColor(0, 40, 110); // the ring of a focused button

QColor limited(int r, int g, int b)
{
    return QColor(qBound(0, r, 255), qBound(0, g, 255), qBound(0, b, 255));
}

// One row of the gradient: each component falls by 2, but not below 0.
void fall(int& c)
{
    c = c - 2 > 0 ? c - 2 : 0;
}

// The drawing primitives of the surface, in pixels, end points included.
void row(QPainter& p, int y, int w, const QColor& c)
{
    p.fillRect(QRect(0, y, w + 1, 1), c);
}

void column(QPainter& p, int x, int h, const QColor& c)
{
    p.fillRect(QRect(x, 0, 1, h + 1), c);
}

void box(QPainter& p, int x1, int y1, int x2, int y2, const QColor& c)
{
    p.fillRect(QRect(x1, y1, x2 - x1 + 1, 1), c);
    p.fillRect(QRect(x1, y2, x2 - x1 + 1, 1), c);
    p.fillRect(QRect(x1, y1, 1, y2 - y1 + 1), c);
    p.fillRect(QRect(x2, y1, 1, y2 - y1 + 1), c);
}

void pixel(QPainter& p, int x, int y, const QColor& c)
{
    p.fillRect(QRect(x, y, 1, 1), c);
}

} // namespace

RenderedButton::RenderedButton(QWidget* parent) : QWidget(parent)
{
    ControlsAccessibility::install();
    m_font = QFont(QStringLiteral("Arial"));
    m_font.setBold(true);
    m_font.setPointSizeF(9);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true); // pointer moves without a button start the hover look
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_hoverTimer.setInterval(100);
    connect(&m_hoverTimer, &QTimer::timeout, this, &RenderedButton::hoverTick);
}

RenderedButton::~RenderedButton() = default;

// ---- properties -------------------------------------------------------------

void RenderedButton::setCaption(const QString& caption)
{
    m_caption = caption;
    m_font.setFamily(QStringLiteral("Arial"));
    renderPictures();
}

void RenderedButton::setBackColor(const QColor& color)
{
    m_backColor = color;
    update();
}

void RenderedButton::setRenderColor(const QColor& color)
{
    m_renderColor = color;
    m_renderRed = color.red();
    m_renderGreen = color.green();
    m_renderBlue = color.blue();
    renderPictures();
}

// A focused button being disabled hands the focus on to the next control
// (Qt's rule), where a stray key could start something else, say a rename.
// The focus is parked instead (the window keeps it, no control has it) and
// comes back when the button is enabled again, unless the person put it
// elsewhere. The focus leaves while the button is already disabled.
void RenderedButton::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::EnabledChange)
        return;
    if (!isEnabled() && m_focusParked) {
        if (QWidget* next = QApplication::focusWidget(); next && next->window() == window())
            next->clearFocus();
    } else if (isEnabled() && std::exchange(m_focusParked, false) && !QApplication::focusWidget() &&
               window()->isActiveWindow()) {
        setFocus(Qt::OtherFocusReason);
    }
}

int RenderedButton::fontSize() const
{
    return Twips::roundEven(m_font.pointSizeF());
}

void RenderedButton::setFontSize(qreal points)
{
    if (points > 0)
        m_font.setPointSizeF(points);
}

void RenderedButton::setBorder(int border)
{
    m_border = qint16(border);
    renderPictures();
}

void RenderedButton::refresh()
{
    update();
}

QColor RenderedButton::colorValue(const QVariant& value, const QColor& fallback)
{
    if (!value.isValid())
        return fallback;
    if (value.metaType().id() == QMetaType::QColor)
        return value.value<QColor>();
    if (value.metaType().id() == QMetaType::QString) {
        const QColor named(value.toString());
        if (named.isValid())
            return named;
    }
    bool ok = false;
    const qlonglong n = value.toLongLong(&ok);
    if (!ok || n < 0)
        return fallback;
    return QColor(int(n & 0xFF), int((n >> 8) & 0xFF), int((n >> 16) & 0xFF));
}

void RenderedButton::readProperties(const PropertyBag& bag)
{
    m_caption = bag.read(QStringLiteral("Caption"), QString()).toString();
    m_backColor = colorValue(bag.read(QStringLiteral("BackColor")), DefaultBackColor);
    QWidget::setEnabled(bag.read(QStringLiteral("Enabled"), true).toBool());
    const qreal size = bag.read(QStringLiteral("Fontsize"), 9).toDouble();
    m_font.setPointSizeF(size > 0 ? size : 9);
    m_border = qint16(bag.read(QStringLiteral("Border"), 0).toInt());
    setRenderColor(colorValue(bag.read(QStringLiteral("RenderColor")), DefaultRenderColor));
}

QSize RenderedButton::sizeHint() const
{
    const QFontMetrics fm(m_font, this);
    return QSize(qMax(75, fm.horizontalAdvance(m_caption) + 24), qMax(25, fm.height() + 10));
}

// ---- rendering --------------------------------------------------------------

QImage RenderedButton::newImage() const
{
    const qreal dpr = devicePixelRatioF();
    QImage image(QSize(qCeil(width() * dpr), qCeil(height() * dpr)),
                 QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(dpr);
    // Text on the picture measures as on the widget.
    image.setDotsPerMeterX(qRound(logicalDpiX() / 0.0254));
    image.setDotsPerMeterY(qRound(logicalDpiY() / 0.0254));
    image.fill(m_backColor);
    return image;
}

void RenderedButton::renderPictures()
{
    const int W = width();
    const int H = height();
    if (W <= 0 || H <= 0)
        return;

    // 1. Caption position.
    const QFontMetrics fm(m_font, this);
    m_captionX = Twips::roundEven((W - fm.horizontalAdvance(m_caption)) / 2.0);
    m_captionY = Twips::roundEven((H - fm.height()) / 2.0);

    QImage image = newImage();

    // 2. Hover picture, 60 lighter than the normal one.
    {
        QPainter p(&image);
        int r = m_renderRed + 60, g = m_renderGreen + 60, b = m_renderBlue + 60;
        m_edgeLight = limited(r, g, b);
        for (int y = 0; y <= H; ++y) {
            fall(r), fall(g), fall(b);
            row(p, y, W, limited(r, g, b));
        }
        m_edgeDark = limited(r, g, b);
        switch (m_border) {
        case 0:
            column(p, W - 2, H, m_edgeDark);
            column(p, W - 1, H, m_edgeLight);
            break;
        case 1:
            box(p, 1, 1, W - 2, H - 2, m_edgeLight);
            box(p, 2, 2, W - 3, H - 3, m_edgeDark);
            break;
        case 2:
            box(p, -1, -1, W - 1, H - 1, Qt::white);
            box(p, 0, 0, W - 2, H - 2, m_edgeLight);
            break;
        default:
            break;
        }
    }
    m_hoverPicture = image.copy();

    // 3. Normal picture.
    {
        QPainter p(&image);
        int r = m_renderRed, g = m_renderGreen, b = m_renderBlue;
        for (int y = 0; y <= H; ++y) {
            fall(r), fall(g), fall(b);
            if (y == 0)
                m_edgeLight = limited(r, g, b);
            row(p, y, W, limited(r, g, b));
        }
        m_edgeDark = limited(r, g, b);
        switch (m_border) {
        case 0:
            column(p, W - 2, H, m_edgeDark);
            column(p, W - 1, H, m_edgeLight);
            break;
        case 1:
            box(p, 1, 1, W - 2, H - 2, m_edgeLight);
            box(p, 2, 2, W - 3, H - 3, m_edgeDark);
            break;
        case 2:
            box(p, -1, -1, W - 1, H - 1, m_edgeLight);
            box(p, 0, 0, W - 2, H - 2, m_edgeDark);
            break;
        case 3: {
            // Rounded corners: magenta is transparent in the shape.
            const QColor m(Magenta);
            const int cx[4] = {0, W - 1, W - 1, 0};
            const int cy[4] = {0, 0, H - 1, H - 1};
            for (int k = 0; k < 4; ++k) {
                const int dx = cx[k] == 0 ? 1 : -1;
                const int dy = cy[k] == 0 ? 1 : -1;
                pixel(p, cx[k], cy[k], m);
                pixel(p, cx[k] + dx, cy[k], m);
                pixel(p, cx[k] + 2 * dx, cy[k], m);
                pixel(p, cx[k], cy[k] + dy, m);
                pixel(p, cx[k], cy[k] + 2 * dy, m);
            }
            break;
        }
        default:
            break;
        }
    }

    // 4. Caption; 5. keep as background and shape.
    drawCaption(image, Qt::white);
    m_background = image;
    m_surface = image;
    updateShapeMask();
    update();
}

void RenderedButton::drawCaption(QImage& image, const QColor& color) const
{
    if (m_caption.isEmpty())
        return;
    QPainter p(&image);
    p.setFont(m_font);
    p.setPen(color);
    const QFontMetrics fm(m_font, this);
    p.drawText(QPointF(m_captionX, m_captionY + fm.ascent()), m_caption);
}

void RenderedButton::updateShapeMask()
{
    // The shape: every pixel of the normal picture that is not magenta.
    // Sampled once per logical pixel, which a magenta pixel fills wholly.
    const int W = width();
    const int H = height();
    const qreal dpr = m_background.devicePixelRatio();
    QRegion shape;
    bool cut = false;
    for (int y = 0; y < H; ++y) {
        const int sy = qMin(int(y * dpr), m_background.height() - 1);
        const QRgb* line = reinterpret_cast<const QRgb*>(m_background.constScanLine(sy));
        int runStart = -1;
        for (int x = 0; x <= W; ++x) {
            const bool opaque =
                x < W && line[qMin(int(x * dpr), m_background.width() - 1)] != Magenta;
            if (opaque && runStart < 0) {
                runStart = x;
            } else if (!opaque) {
                if (x < W)
                    cut = true;
                if (runStart >= 0)
                    shape += QRect(runStart, y, x - runStart, 1);
                runStart = -1;
            }
        }
    }
    if (cut)
        setMask(shape);
    else
        clearMask();
}

// ---- looks ------------------------------------------------------------------

void RenderedButton::clearSurface()
{
    m_surface = m_background;
    update();
}

void RenderedButton::drawHoverLook()
{
    if (m_hoverPicture.isNull())
        return;
    m_surface = m_hoverPicture.copy();
    drawCaption(m_surface, Qt::white);
    update();
}

void RenderedButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), m_backColor);
    if (m_surface.isNull())
        return;
    p.drawImage(QPointF(0, 0), m_surface);
    if (hasFocus()) {
        p.setPen(QPen(FocusColor, 2));
        p.drawRect(QRectF(3, 3, width() - 6, height() - 6));
    }
    if (!qFuzzyCompare(m_surface.devicePixelRatio(), devicePixelRatioF())) {
        // Moved to a screen of another scale: render the pictures anew, after this paint.
        QMetaObject::invokeMethod(this, &RenderedButton::renderPictures, Qt::QueuedConnection);
    }
}

void RenderedButton::resizeEvent(QResizeEvent*)
{
    renderPictures();
}

// ---- input ------------------------------------------------------------------

void RenderedButton::hoverTick()
{
    // The pointer's position and the window under it, compared with our own.
    if (QApplication::widgetAt(QCursor::pos()) != this && m_hovering) {
        m_hoverTimer.stop();
        m_hovering = false;
        clearSurface();
    }
}

void RenderedButton::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() == Qt::NoButton && !m_hovering) {
        m_hoverTimer.start();
        m_hovering = true;
        drawHoverLook();
    }
    const QPointF pos = event->position();
    emit mouseMove(event->buttons(), event->modifiers(), pos);
}

void RenderedButton::mousePressEvent(QMouseEvent* event)
{
    m_afterDoubleClick = false;
    // The pressed look: the hover picture with the border's edges, a dark caption.
    m_surface = m_hoverPicture.isNull() ? m_background : m_hoverPicture.copy();
    if (!m_surface.isNull()) {
        const int W = width();
        const int H = height();
        QPainter p(&m_surface);
        switch (m_border) {
        case 0:
            column(p, W - 2, H, m_edgeDark);
            column(p, W - 1, H, m_edgeLight);
            break;
        case 2:
            box(p, -1, -1, W - 1, H - 1, m_edgeDark);
            box(p, 0, 0, W - 2, H - 2, m_edgeDark);
            break;
        case 3:
            box(p, 0, 0, W - 1, H - 1, m_edgeLight);
            box(p, -1, -1, W - 1, H - 1, m_edgeLight);
            break;
        default:
            break;
        }
        p.end();
        drawCaption(m_surface, m_edgeDark);
    }
    update();
    const QPointF pos = event->position();
    emit mouseDown(event->button(), event->modifiers(), pos);
}

void RenderedButton::mouseReleaseEvent(QMouseEvent* event)
{
    const QPointF pos = event->position();
    const bool afterDoubleClick = std::exchange(m_afterDoubleClick, false);
    QPointer<RenderedButton> self(this);
    if (pos.x() > 0 && pos.x() < width() && pos.y() > 0 && pos.y() < height()) {
        drawHoverLook();
        emit mouseUp(event->button(), event->modifiers(), pos);
    }
    // Click: a left button pressed and released over the control (not the
    // second click of a double click, which raised DblClick instead).
    if (self && event->button() == Qt::LeftButton && !afterDoubleClick &&
        rect().contains(pos.toPoint()))
        emit clicked();
}

void RenderedButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        mousePressEvent(event);
        return;
    }
    m_afterDoubleClick = true;
    emit doubleClicked();
}

// Space and Enter click, as on every desktop button; no other key may. The
// other keys go on to the container.
void RenderedButton::keyPressEvent(QKeyEvent* event)
{
    const int k = event->key();
    if (k == Qt::Key_Space || k == Qt::Key_Return || k == Qt::Key_Enter)
        emit clicked();
    else
        QWidget::keyPressEvent(event);
}

void RenderedButton::focusInEvent(QFocusEvent*)
{
    if (!m_hovering)
        drawHoverLook();
}

// Leaving while being disabled parks the focus (see changeEvent).
void RenderedButton::focusOutEvent(QFocusEvent*)
{
    if (!isEnabled() && isVisible())
        m_focusParked = true;
    clearSurface();
}
