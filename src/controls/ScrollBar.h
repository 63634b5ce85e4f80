// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// ScrollBar: the self-drawn vertical scroll bar (of the list view and of the
// folder browser). It keeps a value between a minimum
// and a maximum and tells its container about every change; it scrolls
// nothing itself and handles no keys: they go on to the container, as wheel
// events do, which scrolls as it does for keys. A press on an arrow or the
// track steps at once, so a short tap counts; held, it repeats.
//
// Public API (getter = the property's name in Qt style, setter = "set" + name; stored key
// and default in brackets):
//   int    value()            setValue(int)            ["Value", 0]  keeps valueMin <= value <=
//          valueMax (the maximum applied first), places the thumb, repaints and raises changed()
//          on EVERY assignment, also when the value stays the same.
//   int    valueMin()         setValueMin(int)         ["ValueMin", 0]     stored only
//   int    valueMax()         setValueMax(int)         ["ValueMax", 100]   stored, repainted (the
//          value is not clamped again: set valueMax first, then value). valueMax <= 0 hides the
//          thumb.
//   int    valueLargeChange() setValueLargeChange(int) ["ValueLargeChange", 5]   page step
//   int    valueSmallChange() setValueSmallChange(int) ["ValueSmallChange", 1]   arrow step
//   QColor backColor()        setBackColor(QColor)     ["BackColor", white]  shades of it make
//          the track
//   bool   isEnabled()        QWidget::setEnabled(bool) ["Enabled", true]
//   void   refresh()          the layout step (shades, texture, frames, arrows, thumb position)
//   void   readProperties(const PropertyBag&)
// Signals:
//   changed()                             after every value assignment, drag step, timer step
//                                         and button release
// Read-outs for containers and tests: thumbTop(), thumbLength(), thumbRect(), isDragging(),
//   changePending(), pressY(), repeating() (the repeat timer runs), shadeTable(),
//   static shade(base, j).
//
// Decided here: when valueMax equals valueMin the
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
    Q_PROPERTY(int value READ value WRITE setValue)
    Q_PROPERTY(int valueMin READ valueMin WRITE setValueMin)
    Q_PROPERTY(int valueMax READ valueMax WRITE setValueMax)
    Q_PROPERTY(int valueLargeChange READ valueLargeChange WRITE setValueLargeChange)
    Q_PROPERTY(int valueSmallChange READ valueSmallChange WRITE setValueSmallChange)
    Q_PROPERTY(QColor backColor READ backColor WRITE setBackColor)
public:
    explicit ScrollBar(QWidget* parent = nullptr);
    ~ScrollBar() override;

    int value() const { return m_value; }
    void setValue(int value);
    int valueMin() const { return m_valueMin; }
    void setValueMin(int value);
    int valueMax() const { return m_valueMax; }
    void setValueMax(int value);
    int valueLargeChange() const { return m_largeChange; }
    void setValueLargeChange(int value);
    int valueSmallChange() const { return m_smallChange; }
    void setValueSmallChange(int value);
    QColor backColor() const { return m_backColor; }
    void setBackColor(const QColor& color);

    void refresh();

    void readProperties(const PropertyBag& bag);

    int thumbTop() const { return m_thumbTop; }
    int thumbLength() const { return m_thumbLength; }
    QRect thumbRect() const;
    bool isDragging() const { return m_dragging; }
    bool changePending() const { return m_changePending; }
    int pressY() const { return m_pressY; }
    bool repeating() const { return m_repeatTimer.isActive(); }
    QList<QColor> shadeTable() const { return m_shadeTable; }
    // Entry j (0..24) of the shade table of base: base at (j + 1) * 5 percent.
    static QColor shade(const QColor& base, int j);

    QSize sizeHint() const override;

signals:
    void changed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
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

    QTimer m_repeatTimer; // auto-repeat while a button is held
    QImage m_background;  // track, frames and arrows
    QImage m_surface;     // what the control shows
};
