// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// RenderedButton: the rendered push button (command buttons, the
// calendar's captions and cells). It paints a vertical gradient derived from
// RenderColor, a border style, a centred bold white caption, a lighter hover
// picture and a pressed look.
//
// Public API (getter = the property's name in Qt style, setter = "set" + name; the stored
// key and the default in brackets):
//   QString caption()     setCaption(QString)        ["Caption", ""]          renders
//   QColor  backColor()   setBackColor(QColor)       ["BackColor", (255,224,192)]
//   QColor  renderColor() setRenderColor(QColor)     ["RenderColor", (192,192,192)] renders
//   bool    isEnabled()   QWidget::setEnabled(bool)  ["Enabled", true]
//   int     fontSize()    setFontSize(qreal points)  ["Fontsize", 9]  no re-render; the getter
//                                                    rounds (the calendar uses 11.25)
//   int     border()      setBorder(int 0..3)        ["Border", 0]            renders
//   void    refresh()        repaint;   void renderPictures()   render the pictures again
//   void    readProperties(const PropertyBag&)   load stored values (keys case-insensitive,
//                                                defaults for missing keys); RenderColor last,
//                                                through its setter, which renders
// Signals:
//   clicked() (left button, or the Space or Enter key)  doubleClicked()
//   mouseDown/mouseUp(Qt::MouseButton, Qt::KeyboardModifiers, QPointF)
//   mouseMove(Qt::MouseButtons held, Qt::KeyboardModifiers, QPointF)
// Read-outs: edgeLight(), edgeDark(), captionX(), captionY(), isHovering(), hoverPicture().
//   static QColor colorValue(const QVariant& stored, const QColor& fallback)   a stored colour:
//       a QColor, a colour name or a Windows colour number (red + 256 green + 65536 blue)
//
// Looks: the widget shows a kept surface picture: renderPictures() makes the
// normal picture (the background and, through its magenta (255,0,255) pixels,
// the widget's shape mask) and the hover picture; "clear" puts the normal
// picture back. The hover look ends on the 100 ms timer once the widget under
// the cursor is another one. With the focus the button shows the hover look
// inside a dark ring.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QTimer>
#include <QVariant>
#include <QWidget>

class PropertyBag;
class QKeyEvent;

class RenderedButton : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString caption READ caption WRITE setCaption)
    Q_PROPERTY(QColor backColor READ backColor WRITE setBackColor)
    Q_PROPERTY(QColor renderColor READ renderColor WRITE setRenderColor)
    Q_PROPERTY(int fontSize READ fontSize WRITE setFontSize)
    Q_PROPERTY(int border READ border WRITE setBorder)
public:
    explicit RenderedButton(QWidget* parent = nullptr);
    ~RenderedButton() override;

    QString caption() const { return m_caption; }
    void setCaption(const QString& caption);
    QColor backColor() const { return m_backColor; }
    void setBackColor(const QColor& color);
    QColor renderColor() const { return m_renderColor; }
    void setRenderColor(const QColor& color);
    int fontSize() const;
    void setFontSize(qreal points);
    int border() const { return m_border; }
    void setBorder(int border);

    void refresh();
    void renderPictures();

    void readProperties(const PropertyBag& bag);

    QColor edgeLight() const { return m_edgeLight; }
    QColor edgeDark() const { return m_edgeDark; }
    int captionX() const { return m_captionX; }
    int captionY() const { return m_captionY; }
    bool isHovering() const { return m_hovering; }
    QImage hoverPicture() const { return m_hoverPicture; }

    static QColor colorValue(const QVariant& stored, const QColor& fallback);

    QSize sizeHint() const override;

signals:
    void clicked();
    void doubleClicked();
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPointF at);
    void mouseMove(Qt::MouseButtons held, Qt::KeyboardModifiers modifiers, QPointF at);
    void mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPointF at);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void hoverTick();
    void clearSurface();
    void drawHoverLook();
    void drawCaption(QImage& image, const QColor& color) const;
    void updateShapeMask();
    QImage newImage() const;

    QString m_caption;
    QColor m_backColor{255, 224, 192};
    QColor m_renderColor{192, 192, 192};
    int m_renderRed = 192, m_renderGreen = 192, m_renderBlue = 192;
    int m_border = 0;
    QFont m_font;

    int m_captionX = 0, m_captionY = 0;
    QColor m_edgeLight, m_edgeDark;
    bool m_hovering = false;
    bool m_afterDoubleClick = false;
    bool m_focusParked = false; // disabled with the focus; takes it back when enabled

    QTimer m_hoverTimer; // the hover watch
    QImage m_hoverPicture;
    QImage m_background; // the normal picture, kept as background and shape
    QImage m_surface;    // what the control shows
};
