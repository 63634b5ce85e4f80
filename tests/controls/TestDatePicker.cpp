// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// DatePicker: the grid of a month, the colour marks on pixels,
// day clicks, month steps, opening and closing, focus and the date box events.
// Today is pinned to Monday 22 October 2012.

#include "controls/CalendarMonth.h"
#include "controls/DatePicker.h"
#include "controls/RenderedButton.h"
#include "platform/DateText.h"

#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

namespace
{

// First rows of the day cells: their render colours, 2 darker.
const QColor Plain(151, 202, 202), Today(0, 253, 253), Selected(253, 222, 190);
const QSize Closed(33, 30);

QColor cellColor(DatePicker& form, int k)
{
    QImage image(form.size(), QImage::Format_ARGB32_Premultiplied);
    form.render(&image);
    const QRect cell = form.dayButton(k)->geometry();
    return QColor(image.pixel(cell.x() + 10, cell.y()));
}

QDateTime midnight(int y, int m, int d)
{
    return QDateTime(QDate(y, m, d), QTime(0, 0));
}

// A calendar in a shown, active window, beside another focusable field.
struct Shown {
    QWidget window;
    QLineEdit* other;
    DatePicker* form;
    Shown()
    {
        window.resize(400, 400);
        other = new QLineEdit(&window);
        other->setGeometry(300, 0, 90, 20);
        form = new DatePicker(&window);
        form->move(10, 10);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        other->setFocus();
        QTRY_VERIFY(other->hasFocus());
    }
    void clickSurface(QPoint at = QPoint(10, 10))
    {
        QTest::mouseClick(form, Qt::LeftButton, {}, at);
    }
};

QStringList grid(int blanks, int days, const QStringList& more = {})
{
    QStringList captions(blanks);
    for (int d = 1; d <= days; ++d)
        captions << QString::number(d);
    captions << more;
    captions.resize(42);
    return captions;
}

} // namespace

class TestDatePicker : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        DateText::setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
        CalendarMonth::setToday(QDate(2012, 10, 22));
    }

    void startsClosedOnToday()
    {
        DatePicker form;
        QCOMPARE(form.size(), Closed);              // the picture's width x 450 twips
        QCOMPARE(form.openSize(), QSize(278, 339)); // 4170 x 5085 twips, 15 twips per pixel
        QVERIFY(!form.isOpen());
        QCOMPARE(form.text(), QStringLiteral("10/22/2012"));
        QCOMPARE(form.date(), midnight(2012, 10, 22));
        QCOMPARE(form.selectedDate(), DateText::zeroDate());
        const QStringList captions{form.monthCaption()->caption(), form.yearCaption()->caption(),
                                   form.weekdayCaption(0)->caption(),
                                   form.weekdayCaption(6)->caption(),
                                   form.monthStepButton(0)->caption()};
        QCOMPARE(captions, QStringList({"October", "2012", "Sun", "Sat", "<"}));
        QCOMPARE(form.weekdayCaption(0)->border(), 3);
        QCOMPARE(form.dayButton(8)->geometry(), QRect(42, 87, 40, 40)); // row 1, column 1
        // The date box keeps its designed size when its font changes.
        QCOMPARE(form.dateBox()->geometry(), QRect(3, 282, 274, 19));
        form.setFontSize(14);
        QCOMPARE(form.dateBox()->font().pointSizeF(), 14.0);
        QCOMPARE(form.dateBox()->size(), QSize(274, 19));
    }

    void monthCells_data()
    {
        QTest::addColumn<QDate>("first");
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QDateTime>("selected");
        QTest::addColumn<QStringList>("days"); // "" blank
        QTest::addColumn<QList<int>>("marks"); // the cells marked today, then selected
        const QDate oct22(2012, 10, 22);
        const QDateTime none = DateText::zeroDate();
        const auto row = [](const char* name, QDate first, QDate today, QDateTime selected,
                            const QStringList& days, int todayCell, int selectedCell) {
            QTest::newRow(name) << first << today << selected << days
                                << QList<int>{todayCell, selectedCell};
        };
        row("starts on Saturday", QDate(2024, 6, 1), oct22, none, grid(6, 30), -1, -1);
        row("leap February", QDate(2024, 2, 1), oct22, none, grid(4, 29), -1, -1);
        row("31 days from Saturday: 37 cells", QDate(2025, 3, 1), oct22, none, grid(6, 31), -1, -1);
        // The loop stops at a day below 8 only from cell 29 on, so a February of
        // 28 days that starts on Sunday also shows 1 March in cell 28.
        row("February from Sunday", QDate(2015, 2, 1), oct22, none, grid(0, 28, {"1"}), -1, -1);
        // October 2012 starts on Monday: day d is cell d.
        const QDate oct1(2012, 10, 1);
        row("today and the selected day", oct1, oct22, midnight(2012, 10, 5), grid(1, 31), 22, 5);
        row("selected wins over today", oct1, oct22, midnight(2012, 10, 22), grid(1, 31), -1, 22);
        row("a selected time of day marks nothing", oct1, oct22,
            QDateTime(QDate(2012, 10, 5), QTime(10, 0)), grid(1, 31), 22, -1);
        // November 2012 starts on Thursday: its blank cells 0..3 are 28..31 October.
        row("today in a blank leading cell", QDate(2012, 11, 1), QDate(2012, 10, 30), none,
            grid(4, 30), 2, -1);
    }

    void monthCells()
    {
        QFETCH(QDate, first);
        QFETCH(QDate, today);
        QFETCH(QDateTime, selected);
        QFETCH(QStringList, days);
        QFETCH(QList<int>, marks);
        CalendarMonth::setToday(today);
        const auto cells = CalendarMonth::cells(first, selected);
        CalendarMonth::setToday(QDate(2012, 10, 22));
        for (int k = 0; k < 42; ++k) {
            const CalendarMonth::Cell& cell = cells[size_t(k)];
            QCOMPARE(cell.day ? QString::number(cell.day) : QString(), days[k]);
            const CalendarMonth::Mark mark = k == marks[0]   ? CalendarMonth::Mark::Today
                                             : k == marks[1] ? CalendarMonth::Mark::Selected
                                                             : CalendarMonth::Mark::Plain;
            QCOMPARE(cell.mark, mark);
        }
    }

    // The open calendar shows the cells as its day buttons.
    void dayButtonsShowTheCells()
    {
        Shown s;
        s.clickSurface();
        s.form->setDate(midnight(2012, 10, 5));
        QCOMPARE(cellColor(*s.form, 10), Plain);
        QCOMPARE(cellColor(*s.form, 22), Today);
        QCOMPARE(cellColor(*s.form, 5), Selected);
        QCOMPARE(s.form->dayButton(31)->caption(), QStringLiteral("31"));
        QVERIFY(!s.form->dayButton(0)->isEnabled() && s.form->dayButton(0)->caption().isEmpty());
        QCOMPARE(s.form->monthCaption()->caption(), QStringLiteral("October"));
    }

    void clickingPictureOpensAndClickingSurfaceCloses_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDateTime>("date");
        QTest::addColumn<int>("cell"); // the date's cell, marked as selected
        QTest::addColumn<QString>("after");
        // March 2011 starts on Tuesday: the 4th is cell 5.
        QTest::newRow("date") << "3/4/2011" << midnight(2011, 3, 4) << 5 << "3/4/2011";
        QTest::newRow("unreadable: today")
            << "not a date" << midnight(2012, 10, 22) << 22 << "10/22/2012";
    }

    void clickingPictureOpensAndClickingSurfaceCloses()
    {
        QFETCH(QString, text);
        QFETCH(QDateTime, date);
        QFETCH(int, cell);
        QFETCH(QString, after);
        Shown s;
        QSignalSpy change(s.form, &DatePicker::changed);
        s.form->setText(text);
        s.clickSurface(); // the focus arrives with the press and opens; the click opens again
        QVERIFY(s.form->isOpen());
        QCOMPARE(s.form->size(), s.form->openSize());
        QCOMPARE(s.form->date(), date);
        QCOMPARE(s.form->selectedDate(), date);
        QCOMPARE(s.form->monthCaption()->caption(),
                 QLocale().standaloneMonthName(date.date().month()));
        QCOMPARE(cellColor(*s.form, cell), Selected);

        s.clickSurface(QPoint(1, 200)); // the margin left of the grid
        QVERIFY(!s.form->isOpen());
        QCOMPARE(s.form->size(), Closed);
        QCOMPARE(s.form->text(), after);
        // The setText, and a replaced text; opening and closing wrote the same text.
        QCOMPARE(change.count(), text == after ? 1 : 2);
    }

    void dayClickWritesDateAndCloses()
    {
        Shown s;
        s.clickSurface();
        QTest::mouseMove(s.form->dayButton(22), QPoint(20, 20));
        QCOMPARE(s.form->dayButton(22)->toolTip(), QStringLiteral("22 October 2012"));
        QStringList events;
        connect(s.form, &DatePicker::changed, s.form,
                [&] { events << "Change " + s.form->text(); });
        connect(s.form, &DatePicker::clicked, s.form,
                [&] { events << QStringLiteral("Click %1").arg(s.form->isOpen()); });
        QTest::mouseClick(s.form->dayButton(15), Qt::LeftButton); // cell 15 is the 15th
        QCOMPARE(events, QStringList({"Change 10/15/2012", "Click 0"}));
        QCOMPARE(s.form->size(), Closed);
        QCOMPARE(s.form->currentDay(), 15);
        QCOMPARE(s.form->date(), midnight(2012, 10, 15));
        QCOMPARE(DateText::parse(s.form->text()), midnight(2012, 10, 15)); // parses back
    }

    void monthSteps_data()
    {
        QTest::addColumn<QDateTime>("start");
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("month");
        QTest::addColumn<int>("year");
        QTest::addColumn<QString>("text");
        QTest::newRow("31 January forward: 31 February is 2 March")
            << midnight(2020, 1, 31) << 1 << "February" << 2020 << "3/2/2020";
        QTest::newRow("back from January")
            << midnight(2020, 1, 15) << 0 << "December" << 2019 << "12/15/2019";
        QTest::newRow("forward from December")
            << midnight(2019, 12, 1) << 1 << "January" << 2020 << "1/1/2020";
    }

    void monthSteps()
    {
        QFETCH(QDateTime, start);
        QFETCH(int, button);
        QFETCH(QString, text);
        Shown s;
        s.form->setText(DateText::shortDate(start.date()));
        s.clickSurface();
        QSignalSpy change(s.form, &DatePicker::changed);
        QTest::mouseClick(s.form->monthStepButton(button), Qt::LeftButton);
        QTEST(s.form->monthCaption()->caption(), "month");
        QTEST(s.form->currentYear(), "year");
        QCOMPARE(s.form->text(), text);
        QCOMPARE(change.count(), 1);
        QCOMPARE(s.form->selectedDate(), start); // a step leaves the selection alone
        QVERIFY(s.form->isOpen());
    }

    void focusOpensAndLeavingCloses()
    {
        Shown s;
        // The focus arriving opens the calendar but leaves isOpen() false ...
        s.form->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(s.form->dateBox()->hasFocus());
        QCOMPARE(s.form->size(), s.form->openSize());
        QVERIFY(!s.form->isOpen());
        // ... so a click on the surface opens it once more instead of closing it.
        s.clickSurface(QPoint(1, 200));
        QVERIFY(s.form->isOpen());
        QCOMPARE(s.form->size(), s.form->openSize());
        // Clicks inside the calendar keep the focus; leaving it closes the calendar.
        QTest::mouseClick(s.form->monthStepButton(1), Qt::LeftButton);
        QVERIFY(s.form->dateBox()->hasFocus());
        s.other->setFocus();
        QTRY_VERIFY(s.other->hasFocus());
        QCOMPARE(s.form->size(), Closed);
        QVERIFY(!s.form->isOpen());
    }

    // Tab and Shift+Tab go through the calendar to the controls beside it,
    // closing it behind them; Escape closes it and keeps the focus.
    void tabPassesThrough()
    {
        Shown s;
        auto* next = new QLineEdit(&s.window);
        next->setGeometry(300, 30, 90, 20);
        next->show();
        QSignalSpy doubles(s.form, &DatePicker::doubleClicked);
        const auto press = [](Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
            QTest::keyClick(QApplication::focusWidget(), key, modifiers);
        };
        press(Qt::Key_Tab);
        QTRY_VERIFY(s.form->dateBox()->hasFocus());
        QCOMPARE(s.form->size(), s.form->openSize());
        s.form->dateBox()->clear();
        press(Qt::Key_5);
        QCOMPARE(s.form->text(), QStringLiteral("5")); // typing still types
        press(Qt::Key_Tab);
        QTRY_VERIFY(next->hasFocus());
        QCOMPARE(s.form->size(), Closed);
        press(Qt::Key_Tab, Qt::ShiftModifier);
        QTRY_VERIFY(s.form->dateBox()->hasFocus());
        press(Qt::Key_Escape);
        QCOMPARE(s.form->size(), Closed);
        QVERIFY(s.form->dateBox()->hasFocus());
        press(Qt::Key_Tab, Qt::ShiftModifier);
        QTRY_VERIFY(s.other->hasFocus());
        QTest::mouseDClick(s.form->dateBox(), Qt::LeftButton);
        QCOMPARE(doubles.count(), 1);
    }

    void weekFollowsTheLocale_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("firstDay");     // of the weekday captions
        QTest::addColumn<int>("octoberFirst"); // the cell of Monday 1 October 2012
        QTest::newRow("en_US: Sunday first") << "en_US" << int(Qt::Sunday) << 1;
        QTest::newRow("de_DE: Monday first") << "de_DE" << int(Qt::Monday) << 0;
    }

    void weekFollowsTheLocale()
    {
        QFETCH(QString, locale);
        QFETCH(int, firstDay);
        QFETCH(int, octoberFirst);
        const QLocale chosen(locale);
        DateText::setLocale(chosen);
        DatePicker form;
        form.setDate(midnight(2012, 10, 5));
        DateText::setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
        QCOMPARE(form.weekdayCaption(0)->caption(), chosen.dayName(firstDay, QLocale::ShortFormat));
        QCOMPARE(form.weekdayCaption(6)->caption(),
                 chosen.dayName((firstDay + 5) % 7 + 1, QLocale::ShortFormat));
        QCOMPARE(form.dayButton(octoberFirst)->caption(), QStringLiteral("1"));
        QCOMPARE(form.monthCaption()->caption(), chosen.standaloneMonthName(10));
    }
};

QTEST_MAIN(TestDatePicker)
#include "TestDatePicker.moc"
