#pragma once

// RenderedButton: the rendered push button (command buttons, the
// calendar's captions and cells). It paints a vertical gradient derived from
// RenderColor, a border style, a centred bold white caption, a lighter hover
// picture and a pressed look.
//
// Public API (getter = the property's name, setter = "set" + name; the stored key
// and the default in brackets; every setter reports propertyChanged(key)):
//   QString Caption()     setCaption(QString)        ["Caption", ""]          renders
//   QColor  BackColor()   setBackColor(QColor)       ["BackColor", (255,224,192)]
//   QColor  RenderColor() setRenderColor(QColor)     ["RenderColor", (192,192,192)] renders
//   bool    Enabled()     setEnabled(bool)           ["Enabled", true]  (hides QWidget::setEnabled)
//   int     FontSize()    setFontSize(qreal points)  ["Fontsize", 9]  no re-render; the getter
//                                                    rounds (the calendar uses 11.25)
//   int     Border()      setBorder(int 0..3)        ["Border", 0]            renders
//   void    Refresh()        repaint;   void ButtonRender()   render the pictures again
//   void    readProperties(const PropertyBag&)   load stored values (keys case-insensitive,
//                                                defaults for missing keys); RenderColor last,
//                                                through its setter, which renders
//   void    writeProperties(PropertyBag&) const  save them under the stored keys
// Signals, the control's events (VB codes: Button 1 left, 2 right, 4 middle;
// Shift 1 Shift, 2 Ctrl, 4 Alt; KeyCode a Windows virtual-key code):
//   Click() (left button, or the Space or Enter key)  DblClick()
//   KeyDown(int& KeyCode, int& Shift)  KeyPress(int& KeyAscii)  KeyUp(int& KeyCode, int& Shift)
//   MouseDown/MouseMove/MouseUp(int Button, int Shift, float X, float Y)
//   propertyChanged(const QString& key)    a property was set ("marked changed")
// Read-outs: EdgeLight(), EdgeDark(), CaptionX(), CaptionY(), Hovering(), hoverPicture().
// Input codes shared by the self-drawn controls:
//   static int vbKeyCode(const QKeyEvent*), vbShift(Qt::KeyboardModifiers),
//   vbButton(Qt::MouseButtons) static QColor colorValue(const QVariant& stored, const QColor&
//   fallback)   a stored colour:
//       a QColor, a colour name or a Windows colour number (red + 256 green + 65536 blue)
//
// Looks: the widget shows a kept surface picture (as the original's
// auto-redraw surface): ButtonRender makes the normal picture (the background
// and, through its magenta (255,0,255) pixels, the widget's shape mask) and
// the hover picture; "clear" puts the normal picture back. The hover look
// ends on the 100 ms timer once the widget under the cursor is another one.

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
public:
    explicit RenderedButton(QWidget* parent = nullptr);
    ~RenderedButton() override;

    QString Caption() const { return m_caption; }
    void setCaption(const QString& caption);
    QColor BackColor() const { return m_backColor; }
    void setBackColor(const QColor& color);
    QColor RenderColor() const { return m_renderColor; }
    void setRenderColor(const QColor& color);
    bool Enabled() const { return isEnabled(); }
    void setEnabled(bool enabled);
    int FontSize() const;
    void setFontSize(qreal points);
    int Border() const { return m_border; }
    void setBorder(int border);

    void Refresh();
    void ButtonRender();

    void readProperties(const PropertyBag& bag);
    void writeProperties(PropertyBag& bag) const;

    QColor EdgeLight() const { return m_edgeLight; }
    QColor EdgeDark() const { return m_edgeDark; }
    int CaptionX() const { return m_captionX; }
    int CaptionY() const { return m_captionY; }
    bool Hovering() const { return m_hovering; }
    QImage hoverPicture() const { return m_hoverPicture; }

    static int vbKeyCode(const QKeyEvent* event);
    static int vbShift(Qt::KeyboardModifiers modifiers);
    static int vbButton(Qt::MouseButtons buttons);
    static QColor colorValue(const QVariant& stored, const QColor& fallback);

    QSize sizeHint() const override;

signals:
    void Click();
    void DblClick();
    void KeyDown(int& KeyCode, int& Shift);
    void KeyPress(int& KeyAscii);
    void KeyUp(int& KeyCode, int& Shift);
    void MouseDown(int Button, int Shift, float X, float Y);
    void MouseMove(int Button, int Shift, float X, float Y);
    void MouseUp(int Button, int Shift, float X, float Y);
    void propertyChanged(const QString& key);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
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

    QTimer m_timer1;       // Timer1: the hover watch
    QImage m_hoverPicture; // Image1
    QImage m_background;   // the normal picture, kept as background and shape
    QImage m_surface;      // what the control shows
};
