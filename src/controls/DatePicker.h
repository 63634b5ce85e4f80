// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// DatePicker: the drop-down date picker (of the list view's creation and
// modified columns). Closed it is a small calendar picture; a click opens a
// month calendar (caption, weekday headers, 6 x 7 day buttons, month steps
// and the date text box); the weekday names and the first day of the week
// follow DateText's locale, as the month's name does. Clicking a day writes its short date into the
// box and closes the calendar. Every date text goes through DateText (shortDate / parse), so what
// the picker writes parses back.
//
// Public API (getter = the property's name in Qt style, setter = "set" + name):
//   QDateTime date()  setDate(QDateTime)   get: the date of currentYear/Month/Day built
//             with dateSerial (an out-of-range day rolls over), the zero date on error.
//             set: selectedDate = value, the current day from it, captions, showMonth(); the
//             date box is not changed.
//   QString text()             setText(QString)            the date box's text
//   QString dateToolTipText()  setDateToolTipText(QString) the box's tool tip
//   QString fontName()         setFontName(QString)        the box's font
//   float   fontSize()         setFontSize(float)          and scales the box
//   bool    fontBold(), fontItalic()  setFontBold, setFontItalic
//   int     fontCharset()      setFontCharset(int)         kept only: Qt fonts are Unicode, so
//                                                          it changes no drawing
//   QColor  backColor(), foreColor()  setBackColor, setForeColor  the box's colours
//   bool    isEnabled()        QWidget::setEnabled(bool)
//   void    refresh()   void showMonth() (fills the day grid)   void closeCalendar()
//   The dates of the grid, today's date and the date-from-parts rule: see CalendarMonth.
// Signals: changed() (the box's text changed), clicked() (a day was clicked, after the
// Children: monthCaption(), yearCaption(), weekdayCaption(0..6), dayButton(k) (k = 7 * row +
//   column), monthStepButton(0 = "<", 1 = ">"), dateBox(), calendarButton().
// State read-outs: currentDay(), currentMonth(), currentYear(), selectedDate(), isOpen(),
//   openSize(), closedSize().
//
// Sizes: open 4170 x 5085 twips, closed the picture's width (33 pixels) x 450 twips. The container
// places the control; opening raises it above its siblings, and where the
// container (or the window) would cut the open calendar, it opens as a drop-down
// window of its own at the same place, closed by a press outside or Escape. The date box is the
// focus proxy: the focus entering the control (or any child) opens the calendar, leaving it
// closes the calendar. Tab and Shift+Tab close it and go on to the next or previous control.

#include <QDate>
#include <QDateTime>
#include <QPalette>
#include <QPointer>
#include <QWidget>

#include <array>

class QKeyEvent;
class QLineEdit;
class RenderedButton;

class DatePicker : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QDateTime date READ date WRITE setDate)
    Q_PROPERTY(QString text READ text WRITE setText)
    Q_PROPERTY(QString dateToolTipText READ dateToolTipText WRITE setDateToolTipText)
    Q_PROPERTY(QString fontName READ fontName WRITE setFontName)
    Q_PROPERTY(float fontSize READ fontSize WRITE setFontSize)
    Q_PROPERTY(bool fontBold READ fontBold WRITE setFontBold)
    Q_PROPERTY(bool fontItalic READ fontItalic WRITE setFontItalic)
    Q_PROPERTY(int fontCharset READ fontCharset WRITE setFontCharset)
    Q_PROPERTY(QColor backColor READ backColor WRITE setBackColor)
    Q_PROPERTY(QColor foreColor READ foreColor WRITE setForeColor)
public:
    explicit DatePicker(QWidget* parent = nullptr);
    ~DatePicker() override;

    QDateTime date() const;
    void setDate(const QDateTime& date);
    QString text() const;
    void setText(const QString& text);
    QString dateToolTipText() const;
    void setDateToolTipText(const QString& text);
    QString fontName() const;
    void setFontName(const QString& name);
    float fontSize() const;
    void setFontSize(float points);
    bool fontBold() const;
    void setFontBold(bool bold);
    bool fontItalic() const;
    void setFontItalic(bool italic);
    int fontCharset() const { return m_fontCharset; }
    void setFontCharset(int charset);
    QColor backColor() const;
    void setBackColor(const QColor& color);
    QColor foreColor() const;
    void setForeColor(const QColor& color);

    void refresh() { update(); }
    void showMonth();
    void closeCalendar();

    RenderedButton* monthCaption() const { return m_monthCaption; }
    RenderedButton* yearCaption() const { return m_yearCaption; }
    RenderedButton* weekdayCaption(int index) const { return m_weekdayCaptions.at(size_t(index)); }
    // Day k = 7 * row + column of the grid (0..41).
    RenderedButton* dayButton(int k) const { return m_dayButtons.at(size_t(k)); }
    RenderedButton* monthStepButton(int index) const { return m_monthSteps.at(size_t(index)); }
    QLineEdit* dateBox() const { return m_dateBox; }
    QWidget* calendarButton() const { return m_calendarButton; }

    int currentDay() const { return m_currentDay; }
    int currentMonth() const { return m_currentMonth; }
    int currentYear() const { return m_currentYear; }
    QDateTime selectedDate() const { return m_selectedDate; }
    bool isOpen() const { return m_isOpen; }
    QSize openSize() const;
    QSize closedSize() const;

    QSize sizeHint() const override { return closedSize(); }

signals:
    void changed();
    void clicked();
    void doubleClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    RenderedButton* makeButton(double left, double top, double width, double height,
                               const char* name);
    void surfaceClicked();
    void open();
    void closeAsOnFocusLoss();
    bool wholeInWindow() const;
    void showWhole();
    void backInContainer();
    void focusChanged(QWidget* old, QWidget* now);
    void dayClicked(int k);
    void monthStep(int index);
    void dayHovered(int k);
    void clearSurface();
    void setBoxColor(QPalette::ColorRole role, const QColor& color);
    bool letPaintsRun();
    QString monthName(int month) const;
    bool boxKey(const QKeyEvent& key);
    QWidget* neighbour(bool forward) const;

    qint16 m_currentDay = 1;
    qint16 m_currentMonth = 1;
    qint16 m_currentYear = 2000;
    QDateTime m_selectedDate;
    bool m_isOpen = false; // the calendar was opened by a click and is open
    int m_fontCharset = 0;
    bool m_pictureOnSurface = false;
    bool m_dropDown = false;       // open as a drop-down window of its own
    bool m_moving = false;         // turning into or out of that window: focus changes are ours
    QPoint m_homePos;              // where it stands in its container
    QPointer<QWidget> m_tabBefore; // the control before it in the tab order
    bool m_pressed = false;
    double m_dateXWidth = 4105; // twips
    double m_dateXHeight = 285; // twips

    RenderedButton* m_monthCaption = nullptr;
    RenderedButton* m_yearCaption = nullptr;
    std::array<RenderedButton*, 7> m_weekdayCaptions{};
    std::array<RenderedButton*, 42> m_dayButtons{};
    std::array<RenderedButton*, 2> m_monthSteps{};
    QLineEdit* m_dateBox = nullptr;
    QWidget* m_calendarButton = nullptr;
};
