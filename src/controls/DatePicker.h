#pragma once

// DatePicker: the drop-down date picker (the list view's
// DatePicker1 and DatePicker2). Closed it is a small calendar picture;
// a click opens a month calendar (caption, weekday headers, 6 x 7 day
// buttons, month steps and the date text box DateX). Clicking a day writes
// its short date into DateX and closes the calendar. Every date text goes
// through DateText (shortDate / parse), so what the picker writes parses back.
//
// Public API (getter = the property's name, setter = "set" + name; "marks" = the
// setter reports propertyChanged(key) under that key; nothing is persisted):
//   QDateTime TheDate()  setTheDate(QDateTime)   get: the date of CurYear/CurMonth/CurDay built
//   with
//             dateSerial (an out-of-range day rolls over), the zero date on error. set:
//             SelectedDate = value, Cur* from it, captions, CalcDate(); DateX is not changed.
//   QString Text()             setText(QString)            DateX's text; marks "Text"
//   QString DateToolTipText()  setDateToolTipText(QString) DateX's tooltip; marks "DateToolTipText"
//   QString FontName()         setFontName(QString)        DateX's font; marks "FontName"
//   float   FontSize()         setFontSize(float)          and scales DateX; marks "FontSize"
//   bool    FontBold(), FontItalic()  setFontBold, setFontItalic          marks
//   "FontBold"/"FontItalic" int     FontCharset()      setFontCharset(int)         kept only: Qt
//   fonts are Unicode, so it changes
//                                                          no drawing; reading gives the last value
//                                                          set (0)
//   QColor  BackColor(), ForeColor()  setBackColor, setForeColor  DateX's colours
//   bool    Enabled()          setEnabled(bool)            marks "Enabled" (hides
//   QWidget::setEnabled) void    Refresh()   void CalcDate()   void JLostFocus() static QDate
//   dateSerial(int year, int month, int day)  the platform's date-from-parts rule
//             (months roll into years, days into months: (2020, 2, 31) is 2 March 2020); invalid
//             outside the years 100..9999
//   static void setToday(QDate) / QDate today()   today's date; tests pin it, an invalid date
//             returns to the system clock
// Signals (the control's events): Change() (DateX's text changed), Click() (a day was clicked,
// after the
//   calendar closed), DblClick(), KeyDown(int& KeyCode, int& Shift), KeyPress(int& KeyAscii) (set
//   it to 0 to drop the character), KeyUp(int& KeyCode, int& Shift), propertyChanged(const QString&
//   key)
// Children, by the property's names: CMonth(), Cyear(), Calander(0..6), Calandera(0..41) (also
//   dayButton(k), k = 7 * row + column), Mchange(0 = "<", 1 = ">"), DateX(), CalanderButton().
// State read-outs: CurDay(), CurMonth(), CurYear(), SelectedDate(), IsOpen(), openSize(),
// closedSize().
//
// Sizes: open 4170 x 5085 twips, closed the picture's width (33 pixels) x 450 twips. The container
// places the control; opening raises it above its siblings, and where the
// container (or the window) would cut the open calendar, it opens as a drop-down
// window of its own at the same place, closed by a press outside or Escape. DateX is the focus
// proxy: the focus entering the control (or any child) opens the calendar, leaving it closes the
// calendar.

#include <QDate>
#include <QDateTime>
#include <QWidget>

#include <array>

class QLineEdit;
class RenderedButton;

class DatePicker : public QWidget
{
    Q_OBJECT
public:
    explicit DatePicker(QWidget* parent = nullptr);
    ~DatePicker() override;

    QDateTime TheDate() const;
    void setTheDate(const QDateTime& date);
    QString Text() const;
    void setText(const QString& text);
    QString DateToolTipText() const;
    void setDateToolTipText(const QString& text);
    QString FontName() const;
    void setFontName(const QString& name);
    float FontSize() const;
    void setFontSize(float points);
    bool FontBold() const;
    void setFontBold(bool bold);
    bool FontItalic() const;
    void setFontItalic(bool italic);
    int FontCharset() const { return m_fontCharset; }
    void setFontCharset(int charset);
    QColor BackColor() const;
    void setBackColor(const QColor& color);
    QColor ForeColor() const;
    void setForeColor(const QColor& color);
    bool Enabled() const { return isEnabled(); }
    void setEnabled(bool enabled);

    void Refresh();
    void CalcDate();
    void JLostFocus();

    static QDate dateSerial(int year, int month, int day);
    static void setToday(const QDate& date);
    static QDate today();

    RenderedButton* CMonth() const { return m_cMonth; }
    RenderedButton* Cyear() const { return m_cYear; }
    RenderedButton* Calander(int index) const { return m_calander.at(index); }
    RenderedButton* Calandera(int index) const { return m_calandera.at(index); }
    RenderedButton* dayButton(int k) const { return m_calandera.at(k); }
    RenderedButton* Mchange(int index) const { return m_mchange.at(index); }
    QLineEdit* DateX() const { return m_dateX; }
    QWidget* CalanderButton() const { return m_calanderButton; }

    int CurDay() const { return m_curDay; }
    int CurMonth() const { return m_curMonth; }
    int CurYear() const { return m_curYear; }
    QDateTime SelectedDate() const { return m_selectedDate; }
    int IsOpen() const { return m_isOpen; }
    QSize openSize() const;
    QSize closedSize() const;

    QSize sizeHint() const override { return closedSize(); }

signals:
    void Change();
    void Click();
    void DblClick();
    void KeyDown(int& KeyCode, int& Shift);
    void KeyPress(int& KeyAscii);
    void KeyUp(int& KeyCode, int& Shift);
    void propertyChanged(const QString& key);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    RenderedButton* makeButton(double left, double top, double width, double height);
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
    bool letPaintsRun();
    QString monthName(int month) const;

    qint16 m_curDay = 1;
    qint16 m_curMonth = 1;
    qint16 m_curYear = 2000;
    QDateTime m_selectedDate;
    qint16 m_isOpen = 0;
    int m_fontCharset = 0;
    bool m_pictureOnSurface = false;
    bool m_dropDown = false; // open as a drop-down window of its own
    bool m_moving = false;   // turning into or out of that window: focus changes are ours
    QPoint m_homePos;        // where it stands in its container
    bool m_pressed = false;
    double m_dateXWidth = 4105; // twips
    double m_dateXHeight = 285; // twips

    RenderedButton* m_cMonth = nullptr;
    RenderedButton* m_cYear = nullptr;
    std::array<RenderedButton*, 7> m_calander{};
    std::array<RenderedButton*, 42> m_calandera{};
    std::array<RenderedButton*, 2> m_mchange{};
    QLineEdit* m_dateX = nullptr;
    QWidget* m_calanderButton = nullptr;
};
