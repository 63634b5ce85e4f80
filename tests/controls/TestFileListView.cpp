// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/FileDates.h"
#include "app/Session.h"
#include "controls/DatePicker.h"
#include "controls/FileListView.h"
#include "controls/PropertyBag.h"
#include "controls/ScrollBar.h"
#include "gui/MainWindow.h"
#include "platform/DateText.h"
#include "platform/FileSystem.h"
#include "platform/PosixFileSystem.h"
#include "platform/SystemProcessLauncher.h"

#include "ListRows.h"
#include "PromptRecorder.h"
#include "TempFolder.h"

#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QToolTip>
#include <QtTest>

using Ints = QList<int>;

namespace
{

const QColor NewNameColor(170, 134, 1);

// A list as the main window sets it up, holding `rows` files whose new names
// are given (or "new_<n>.txt").
struct Fixture {
    FileListView list;
    explicit Fixture(int rows, QSize size = {800, 400}, const QString& newName = {})
    {
        list.setShownColumns(5);
        list.setFontSize(12);
        list.resize(size);
        QStringList texts;
        for (int i = 0; i < rows; ++i)
            texts << QStringLiteral("1/1/2020|1/2/2020|name_%1.txt|%2|1,024|")
                         .arg(i)
                         .arg(newName.isNull() ? QStringLiteral("new_%1.txt").arg(i) : newName);
        list.model().setRows(ListRows::fromTexts(texts));
    }
    QImage image()
    {
        QImage out(list.size(), QImage::Format_RGB32);
        list.render(&out);
        return out;
    }
    int header() const { return list.headerHeight(); }
    int rowY(int position) const { return list.rowRect(position).top(); }
};

// A mouse event; the left button is held on a press, and on a move when `held`.
void send(QWidget* w, QEvent::Type type, QPoint at, bool held = false)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const bool down = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick;
    const Qt::MouseButtons buttons = down || held ? Qt::LeftButton : Qt::NoButton;
    QMouseEvent e(type, at, w->mapToGlobal(at), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

// The x range of pixels in colour c inside rows [top, bottom); -1 when none.
std::pair<int, int> inkRange(const QImage& img, QColor c, int top, int bottom)
{
    int first = -1, last = -1;
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixelColor(x, y) == c) {
                first = first < 0 ? x : std::min(first, x);
                last = std::max(last, x);
            }
    return {first, last};
}

// Dark pixels of a cell, as a picture independent of the background and of
// the blue focus outline.
QImage ink(const QImage& img, QRect cell)
{
    QImage mask(cell.size(), QImage::Format_Mono);
    for (int y = 0; y < cell.height(); ++y)
        for (int x = 0; x < cell.width(); ++x)
            mask.setPixel(x, y,
                          qGray(img.pixel(cell.left() + x, cell.top() + y)) < 128 &&
                              qBlue(img.pixel(cell.left() + x, cell.top() + y)) < 128);
    return mask;
}

} // namespace

class TestFileListView : public QObject
{
    Q_OBJECT
private slots:
    void init() { DateText::setLocale(QLocale(QStringLiteral("en_US"))); }

    void layout_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("noScroll");
        QTest::addColumn<Ints>("starts"); // ColumnStart(2..6)
        QTest::newRow("800") << 800 << 0 << Ints{197, 354, 531, 688, 785};
        QTest::newRow("800 with the horizontal bar") << 800 << 1 << Ints{277, 514, 771, 1008, 1185};
        QTest::newRow("1000") << 1000 << 0 << Ints{237, 434, 651, 848, 985};
    }

    void layout()
    {
        QFETCH(int, width);
        QFETCH(int, noScroll);
        QFETCH(Ints, starts);
        Fixture f(1000, {width, 300});
        f.list.setHorizontalScroll(noScroll);
        // The number column is as wide as the digits of the last index and a W.
        QFont font(QStringLiteral("Arial"));
        font.setPointSizeF(12);
        const double digits =
            QFontMetricsF(font, &f.list).horizontalAdvance(QStringLiteral("999W"));
        QCOMPARE(f.list.columnStart(1), qRound(digits + 8));
        QCOMPARE(f.list.listWidth(), starts.last());
        for (int c = 2; c <= 6; ++c)
            QCOMPARE(f.list.columnStart(c), starts[c - 2]);
        QCOMPARE(f.list.horizontalScrollBar()->isVisibleTo(&f.list), noScroll == 1);
        // Header buttons sit 9 pixels left of their columns; the last one ends
        // with the drawing width; the sixth column is not headed.
        for (int c = 1; c <= 5; ++c) {
            const QPushButton* b = f.list.sortButton(c);
            QCOMPARE(b->x(), f.list.columnStart(c) - 9);
            QCOMPARE(b->width(), (c == 5 ? f.list.listWidth() : f.list.columnStart(c + 1)) -
                                     f.list.columnStart(c));
            QCOMPARE(b->height(), 26);
        }
        QVERIFY(!f.list.sortButton(6)->isVisibleTo(&f.list));
        QCOMPARE(f.list.scrollBar()->geometry(), QRect(width - 15, 0, 15, 300));
        QCOMPARE(f.list.datePicker(0)->x(), f.list.sortButton(2)->x() - 40);
        QCOMPARE(f.list.datePicker(1)->x(), f.list.sortButton(3)->x() - 40);
    }

    void newNameCell_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("newName");
        QTest::addColumn<bool>("printed");
        QTest::addColumn<bool>("cut");
        QTest::newRow("fits") << 800 << "short.txt" << true << false;
        QTest::newRow("too long: cut") << 800 << QString(200, QLatin1Char('N')) << true << true;
        QTest::newRow("a little too long") << 380 << "New_Filename_001.hidden" << true << true;
        QTest::newRow("empty") << 800 << "" << false << false;
        QTest::newRow("column narrower than 20 pixels") << 100 << "short.txt" << false << true;
    }

    // New names are printed in their colour inside their own column only,
    // never wrapped; a cut text ends in an ellipsis and the cell's tool tip
    // holds the whole text.
    void newNameCell()
    {
        QFETCH(int, width);
        QFETCH(QString, newName);
        QFETCH(bool, printed);
        QFETCH(bool, cut);
        Fixture f(3, {width, 200}, newName);
        f.list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.list));
        const QString shown = f.list.shownText(4, 0);
        QCOMPARE(shown == newName, !cut);
        if (cut && printed)
            QVERIFY(shown.endsWith(QChar(0x2026)) && shown.size() > 1);
        const QPoint cellCentre(f.list.columnStart(4) + 5, f.list.rowRect(0).center().y());
        QHelpEvent help(QEvent::ToolTip, cellCentre, f.list.mapToGlobal(cellCentre));
        QApplication::sendEvent(&f.list, &help);
        QCOMPARE(QToolTip::text(), newName);
        const QImage img = f.image();
        const auto [first, last] = inkRange(img, NewNameColor, f.rowY(0), f.rowY(1));
        QCOMPARE(first >= 0, printed);
        if (printed) {
            QVERIFY(first >= f.list.columnStart(4));
            QVERIFY2(last < f.list.columnStart(5) - 10, qPrintable(QString::number(last)));
            QCOMPARE(inkRange(img, NewNameColor, f.rowY(1), f.rowY(1) + f.list.rowHeight()).first,
                     first); // one line per row
        }
    }

    // A chosen row is bold on a band that stands out from the background
    // over the row's height; while the list has the focus the row is outlined.
    void highlightedRow()
    {
        Fixture f(5);
        f.list.show();
        QVERIFY(QTest::qWaitForWindowActive(&f.list));
        f.list.setForeColor(Qt::red);
        QTest::mouseClick(&f.list, Qt::LeftButton, {}, f.list.rowRect(1).center());
        QVERIFY(f.list.hasFocus());
        const QImage focused = f.image();
        const QRect row = f.list.rowRect(1);
        const int x = f.list.columnStart(5) + 60; // past the size text
        const QColor band = focused.pixelColor(x, row.center().y());
        QVERIFY(qGray(f.list.backGroundColor().rgb()) - qGray(band.rgb()) >= 24);
        for (int y = row.top() + 2; y < row.bottom() - 1; ++y)
            QCOMPARE(focused.pixelColor(x, y), band);
        QCOMPARE(focused.pixelColor(x, row.bottom() + 1), f.list.backGroundColor());
        QVERIFY(qGray(focused.pixelColor(x, row.top()).rgb()) < qGray(band.rgb()) - 60);
        f.list.clearFocus();
        QCOMPARE(f.image().pixelColor(x, row.top()), band);
        QCOMPARE(f.list.foreColor(), QColor(Qt::black));
        auto cell = [&](int c, int r) {
            return QRect(f.list.columnStart(c), f.rowY(r) + 2, 60, f.list.rowHeight() - 4);
        };
        QCOMPARE(ink(focused, cell(5, 1)), ink(focused, cell(5, 2)));
        QVERIFY(ink(focused, cell(3, 1)) != ink(focused, cell(3, 2))); // bold name
    }

    // A list shorter than the page cannot scroll, and below it nothing is drawn.
    void shortList()
    {
        Fixture f(3, {800, 400});
        QCOMPARE(f.list.scrollBar()->valueMax(), 0);
        const QImage img = f.image();
        const int below = f.header() + 3 * f.list.rowHeight() + 1;
        QVERIFY(f.rowY(2) > 0 && !f.list.rowRect(3).isValid());
        QSet<int> lines;
        for (int c = 1; c <= 5; ++c)
            lines << f.list.columnLine(c).x();
        for (int y = below; y < 400; y += 7)
            for (int x = 0; x < 800 - 15; ++x)
                if (!lines.contains(x))
                    QCOMPARE(img.pixelColor(x, y), f.list.backGroundColor());
    }

    void chooseRow_data()
    {
        QTest::addColumn<int>("rowsDown"); // the y offset below the header, in rows
        QTest::addColumn<int>("pixels");   // plus pixels
        QTest::addColumn<int>("row");      // -1: nothing chosen
        QTest::newRow("header") << 0 << -13 << -1;
        QTest::newRow("on a boundary") << 1 << 0 << -1;
        QTest::newRow("just past it") << 1 << 1 << 1;
        QTest::newRow("last row") << 2 << 9 << 2;
        QTest::newRow("below the last record") << 3 << 2 << -1;
    }

    void chooseRow()
    {
        QFETCH(int, rowsDown);
        QFETCH(int, pixels);
        QFETCH(int, row);
        Fixture f(3);
        f.list.show();
        QVERIFY(QTest::qWaitForWindowActive(&f.list));
        QSignalSpy clicks(&f.list, &FileListView::clicked);
        const QPoint at(300, f.header() + rowsDown * f.list.rowHeight() + pixels);
        QTest::mouseClick(&f.list, Qt::LeftButton, {}, at);
        QCOMPARE(clicks.count(), 1);
        QCOMPARE(f.list.currentMarked(), row >= 0);
        QCOMPARE(f.list.model().currentRow(), std::max(row, 0));
        QVERIFY(f.list.hasFocus());
    }

    // In multi-select mode a click marks a row and a second unmarks it.
    void multiSelect()
    {
        Fixture f(4);
        f.list.setMultiSelect(true);
        const QPoint at = f.list.rowRect(2).center();
        QTest::mouseClick(&f.list, Qt::LeftButton, {}, at);
        QVERIFY(f.list.model().selected(2));
        QVERIFY(!f.list.currentMarked());
        QTest::mouseClick(&f.list, Qt::LeftButton, {}, at);
        QVERIFY(!f.list.model().selected(2));
    }

    // The release that ends a double click chooses the row again but is no
    // second click.
    void doubleClick()
    {
        Fixture f(4);
        QSignalSpy clicks(&f.list, &FileListView::clicked);
        QSignalSpy doubles(&f.list, &FileListView::doubleClicked);
        for (auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                          QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease})
            send(&f.list, type, f.list.rowRect(3).center());
        QCOMPARE(doubles.count(), 1);
        QCOMPARE(clicks.count(), 1);
        QCOMPARE(f.list.model().currentRow(), 3);
    }

    void hover_data()
    {
        QTest::addColumn<int>("offset"); // from the drawn line
        QTest::addColumn<bool>("resize");
        for (int offset : {-6, -5, 0, 5, 6})
            QTest::addRow("%d", offset) << offset << (offset >= -5 && offset <= 5);
    }

    void hover()
    {
        QFETCH(int, offset);
        QFETCH(bool, resize);
        Fixture f(4);
        for (int k = 1; k <= 4; ++k) {
            const QPoint at(f.list.columnLine(k + 1).x() + offset, 200);
            send(&f.list, QEvent::MouseMove, at);
            QCOMPARE(f.list.cursor().shape(), resize ? Qt::SizeHorCursor : Qt::ArrowCursor);
            QCOMPARE(f.list.draggedLine(), resize ? k : 0);
        }
    }

    void dragLine_data()
    {
        QTest::addColumn<int>("line"); // k: the left edge of data column k + 1
        QTest::addColumn<int>("to");   // pointer x
        QTest::addColumn<int>(
            "start");               // ColumnStart(k + 1) after the drag; -1: its neighbour's + 40
        QTest::addColumn<int>("y"); // 100 over the rows, 10 over the header
        QTest::newRow("a little right") << 2 << 400 << 410 << 100;
        QTest::newRow("past the left neighbour") << 2 << 50 << -1 << 100;
        QTest::newRow("past the right neighbour") << 2 << 700 << 531 - 40 << 100;
        QTest::newRow("last shown column") << 4 << 900 << 785 - 40 << 100;
        QTest::newRow("on the header") << 3 << 600 << 610 << 10;
    }

    void dragLine()
    {
        QFETCH(int, line);
        QFETCH(int, to);
        QFETCH(int, start);
        QFETCH(int, y);
        Fixture f(4);
        f.list.show();
        QVERIFY(QTest::qWaitForWindowActive(&f.list));
        f.list.setFocus(); // not in a date picker, whose calendar would cover the rows
        QTRY_VERIFY(f.list.hasFocus());
        if (start < 0)
            start = f.list.columnStart(line) + 40;
        QSignalSpy sorts(&f.list, &FileListView::headerClicked);
        // Each event goes to the widget under it, as the platform sends it.
        const auto sendAt = [&f](QEvent::Type type, QPoint at, bool held = false) {
            QWidget* target = f.list.childAt(at) ? f.list.childAt(at) : &f.list;
            send(target, type, target->mapFrom(&f.list, at), held);
        };
        const QPoint grab(f.list.columnLine(line + 1).x(), y);
        sendAt(QEvent::MouseMove, grab);
        QCOMPARE(f.list.cursor().shape(), Qt::SizeHorCursor);
        sendAt(QEvent::MouseButtonPress, grab);
        sendAt(QEvent::MouseMove, {to, y}, true);
        sendAt(QEvent::MouseButtonRelease, {to, y});
        QCOMPARE(sorts.count(), 0);
        QCOMPARE(f.list.columnStart(line + 1), start);
        QCOMPARE(f.list.sortButton(line + 1)->x(), start - 9);
        QCOMPARE(f.list.sortButton(line)->width(), start - f.list.columnStart(line));
        QCOMPARE(f.list.datePicker(0)->geometry().right() + 1, f.list.sortButton(2)->x());
        QCOMPARE(f.list.cursor().shape(), Qt::ArrowCursor);
        QStringList next{QStringLiteral("1/1/2020|1/2/2020|a.txt|b.txt|1|")};
        f.list.model().setRows(ListRows::fromTexts(next));
        QCOMPARE(f.list.columnStart(line + 1), start); // kept for the next listing
    }

    void dragRows_data()
    {
        QTest::addColumn<int>("top");
        QTest::addColumn<int>("down"); // rows the pointer moves down (negative: up)
        QTest::addColumn<int>("expected");
        QTest::newRow("down from row 10") << 10 << 3 << 7;
        QTest::newRow("down from row 2") << 2 << 3 << 0;
        QTest::newRow("up from row 10") << 10 << -3 << 13;
        QTest::newRow("up past the end") << -1 << -3 << -1; // -1: the scroll maximum (less one)
    }

    // The rows follow the pointer, one row per RowHeight, 5 pixels to spare.
    void dragRows()
    {
        QFETCH(int, top);
        QFETCH(int, down);
        QFETCH(int, expected);
        Fixture f(100);
        const int max = f.list.scrollBar()->valueMax();
        top = top < 0 ? max - 1 : top;
        expected = expected < 0 ? max : expected;
        f.list.scrollBar()->setValue(top);
        const QPoint from(300, 200);
        const QPoint to(300, 200 + down * f.list.rowHeight() + (down > 0 ? 5 : -5));
        send(&f.list, QEvent::MouseButtonPress, from);
        send(&f.list, QEvent::MouseMove, to, true);
        QCOMPARE(f.list.cursor().shape(), Qt::SizeVerCursor);
        QCOMPARE(f.list.topRow(), expected);
        send(&f.list, QEvent::MouseButtonRelease, to);
        QCOMPARE(f.list.cursor().shape(), Qt::ArrowCursor);
    }

    void keys_data()
    {
        QTest::addColumn<int>("from"); // the row clicked, scrolled to the top first
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("expected"); // -1: the last row, -2: one page down
        QTest::newRow("Home") << 50 << int(Qt::Key_Home) << 0;
        QTest::newRow("End") << 0 << int(Qt::Key_End) << -1;
        QTest::newRow("Up at the top") << 0 << int(Qt::Key_Up) << 0;
        QTest::newRow("Up") << 5 << int(Qt::Key_Up) << 4;
        QTest::newRow("Down") << 5 << int(Qt::Key_Down) << 6;
        QTest::newRow("Page Down") << 0 << int(Qt::Key_PageDown) << -2;
        QTest::newRow("Page Up near the top") << 5 << int(Qt::Key_PageUp) << 0;
        QTest::newRow("Return") << 5 << int(Qt::Key_Return) << 5;
        QTest::newRow("other key") << 5 << int(Qt::Key_A) << 5;
    }

    // After a click the list has the focus; the keys move the chosen row and
    // scroll it wholly into view, and Return does what a double click does.
    void keys()
    {
        QFETCH(int, from);
        QFETCH(int, key);
        QFETCH(int, expected);
        Fixture f(1000);
        f.list.show();
        QVERIFY(QTest::qWaitForWindowActive(&f.list));
        const int page = (400 - f.header()) / f.list.rowHeight();
        expected = expected == -1 ? 999 : expected == -2 ? page : expected;
        f.list.scrollBar()->setValue(from);
        QTest::mouseClick(&f.list, Qt::LeftButton, {}, f.list.rowRect(from).center());
        QSignalSpy doubles(&f.list, &FileListView::doubleClicked);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        QCOMPARE(f.list.model().currentRow(), expected);
        QVERIFY(f.list.currentMarked());
        const QRect row = f.list.rowRect(expected);
        QVERIFY(row.isValid() && row.bottom() <= f.list.contentsRect().bottom());
        QCOMPARE(doubles.count(), key == Qt::Key_Return ? 1 : 0);
    }

    // A header click is reported under the wait pointer, for the owner to
    // sort; the rows are drawn again in the new order.
    void headerClickIsReported()
    {
        Fixture f(3);
        QList<Qt::CursorShape> during;
        connect(&f.list, &FileListView::headerClicked, &f.list, [&](int column) {
            during << f.list.cursor().shape();
            std::reverse(f.list.model().displayOrder().begin(),
                         f.list.model().displayOrder().end());
            QCOMPARE(column, 3);
        });
        QTest::mouseClick(f.list.sortButton(3), Qt::LeftButton);
        QCOMPARE(during, QList<Qt::CursorShape>{Qt::WaitCursor});
        QCOMPARE(f.list.cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(f.list.model().currentNameAt(0), QStringLiteral("name_2.txt"));
        QCOMPARE(f.list.sortButton(3)->text(), QStringLiteral("Current Filenames"));
    }

    // The main window's saved list: the system's window background, black
    // text, a 3-D border and 12 points; a font change measures the rows again.
    void mainWindowDesign()
    {
        PropertyBag design;
        FileListLook::mainWindowDesign(design);
        FileListView list;
        const int rowHeight = list.rowHeight();
        list.readProperties(design);
        QCOMPARE(list.backGroundColor(), QPalette().color(QPalette::Base));
        QCOMPARE(list.foreColor(), QColor(Qt::black));
        QCOMPARE(list.frameWidth(), 2);
        QCOMPARE(list.fontSize(), 12.0);
        QVERIFY(list.rowHeight() > rowHeight);
    }

    void inWindow_data()
    {
        QTest::addColumn<int>("picker");
        QTest::newRow("creation dates") << 0;
        QTest::newRow("modified dates") << 1;
    }

    // In the main window a header click sorts the session's list, and a date
    // picked over a date column shows on every row and is pending for the
    // rename pass in that column only.
    void inWindow()
    {
        QFETCH(int, picker);
        TempFolder folder;
        for (const char* name : {"b.txt", "c.txt", "a.txt"})
            QVERIFY(folder.write(QString::fromLatin1(name), "x"));
        PosixFileSystem fs;
        QCOMPARE(fs.setCurrentFolder(folder.path()), 0);
        PromptRecorder prompter;
        Session session(fs, prompter);
        session.setFolder(folder.path());
        SystemProcessLauncher launcher;
        MainWindow window(session, launcher);
        session.scanFolder();
        FileListView& list = *window.fileList;
        QTest::mouseClick(list.sortButton(3), Qt::LeftButton);
        QTest::mouseClick(list.sortButton(3), Qt::LeftButton);
        QCOMPARE(session.model().currentNameAt(0), QStringLiteral("c.txt"));
        QCOMPARE(session.sorter().lastSortColumn(), 3);

        list.datePicker(picker)->setText(QStringLiteral("1/2/2020"));
        for (int k = 0; k < 3; ++k) {
            const int r = session.model().recordAt(k);
            QCOMPARE(picker == 0 ? session.model().creationDateText(r)
                                 : session.model().modifiedDateText(r),
                     QStringLiteral("1/2/2020"));
        }
        const QString pending[] = {FileDates::pendingCreationDate(session),
                                   FileDates::pendingModifiedDate(session)};
        QCOMPARE(pending[picker], QStringLiteral("1/2/2020"));
        QCOMPARE(pending[1 - picker], QString());
    }
};

QTEST_MAIN(TestFileListView)
#include "TestFileListView.moc"
