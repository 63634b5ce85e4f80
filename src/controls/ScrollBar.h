#pragma once

// ScrollBar: the self-drawn vertical scroll bar (the
// list view's sBar, the browser's sFiles). It keeps a value between a minimum
// and a maximum and tells its container about every change; it scrolls
// nothing itself and handles no keys. Wheel events are not taken either:
// they go on to the container, which scrolls as it does for keys.
//
// Public API (getter = the property's name, setter = "set" + name; stored key and
// default in brackets; the setters report propertyChanged(key)):
//   int    Value()            setValue(int)            ["Value", 0]  keeps ValueMin <= Value <=
//          ValueMax (the maximum applied first), places the thumb, repaints and raises Change on
//          EVERY assignment, also when the value stays the same. The value field is read through
//          Value().
//   int    ValueMin()         setValueMin(int)         ["ValueMin", 0]     stored only
//   int    ValueMax()         setValueMax(int)         ["ValueMax", 100]   stored, repainted (the
//          value is not clamped again: set ValueMax first, then Value). ValueMax <= 0 hides the
//          thumb.
//   int    ValueLargeChange() setValueLargeChange(int) ["ValueLargeChange", 5]   page step
//   int    ValueSmallChange() setValueSmallChange(int) ["ValueSmallChange", 1]   arrow step
//   QColor BackColor()        setBackColor(QColor)     ["BackColor", white]  shades of it make the
//   track bool   Enabled()          setEnabled(bool)         ["Enabled", true]  (hides
//   QWidget::setEnabled) void   Refresh()          the layout step (shades, texture, frames,
//   arrows, thumb position) void   readProperties(const PropertyBag&) /
//   writeProperties(PropertyBag&) const
// Signals (the control's events):
//   Change()                              after every Value assignment, drag step, timer step
//                                         and button release
//   KeyDown(int& KeyCode, int& Shift)     Windows virtual-key codes (33 Page Up, 34 Page Down,
//   KeyUp(int& KeyCode, int& Shift)       38 Up, 40 Down; see RenderedButton::vbKeyCode)
//   propertyChanged(const QString& key)
// Read-outs for containers and tests: ThumbTop(), ThumbLength(), thumbRect(), Dragging(),
//   ChangePending(), PressY(), repeating() (Timer1 runs), ShadeTable(), static shade(base, j).
//
// Decided here: when ValueMax equals ValueMin the
// thumb rests at the top of the track (y = 22) and nothing divides by their
// difference; a press then does nothing (by design).

#include <QColor>
#include <QImage>
#include <QList>
#include <QTimer>
#include <QWidget>

class PropertyBag;

class ScrollBar : public QWidget
{
    Q_OBJECT
public:
    explicit ScrollBar(QWidget* parent = nullptr);
    ~ScrollBar() override;

    int Value() const { return m_value; }
    void setValue(int value);
    int ValueMin() const { return m_valueMin; }
    void setValueMin(int value);
    int ValueMax() const { return m_valueMax; }
    void setValueMax(int value);
    int ValueLargeChange() const { return m_largeChange; }
    void setValueLargeChange(int value);
    int ValueSmallChange() const { return m_smallChange; }
    void setValueSmallChange(int value);
    QColor BackColor() const { return m_backColor; }
    void setBackColor(const QColor& color);
    bool Enabled() const { return isEnabled(); }
    void setEnabled(bool enabled);

    void Refresh();

    void readProperties(const PropertyBag& bag);
    void writeProperties(PropertyBag& bag) const;

    int ThumbTop() const { return m_thumbTop; }
    int ThumbLength() const { return m_thumbLength; }
    QRect thumbRect() const;
    bool Dragging() const { return m_dragging; }
    bool ChangePending() const { return m_changePending; }
    int PressY() const { return m_pressY; }
    bool repeating() const { return m_timer1.isActive(); }
    QList<QColor> ShadeTable() const { return m_shadeTable; }
    // Entry j (0..24) of the shade table of base: base at (j + 1) * 5 percent.
    static QColor shade(const QColor& base, int j);

    QSize sizeHint() const override;

signals:
    void Change();
    void KeyDown(int& KeyCode, int& Shift);
    void KeyUp(int& KeyCode, int& Shift);
    void propertyChanged(const QString& key);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void layoutStep();
    void repaintBar();
    void outlineTrack(const QColor& color);
    void timerTick();
    int thumbTopFor(int value) const;
    int limitedValue(qint64 value) const;
    static bool letPendingEventsRun(QWidget* self);

    int m_value = 0;
    int m_valueMin = 0;
    int m_valueMax = 100;
    int m_largeChange = 5;
    int m_smallChange = 1;
    QColor m_backColor{255, 255, 255};

    int m_thumbTop = 22;
    int m_thumbLength = 20;
    int m_pressY = 0;
    bool m_dragging = false;
    bool m_changePending = false;
    float m_lastDragY = 0;
    QList<QColor> m_shadeTable;

    QTimer m_timer1;     // Timer1: auto-repeat while a button is held
    QImage m_background; // track, frames and arrows
    QImage m_surface;    // what the control shows
};
