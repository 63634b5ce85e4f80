// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// ScrollBar: value invariant, track pixels, thumb
// limits, dragging and the auto-repeat timer, driven with QTest input.

#include "controls/ScrollBar.h"

#include "ReferenceImage.h"

#include <QSignalSpy>
#include <QTest>

namespace
{

QColor at(QWidget& w, int x, int y)
{
    QImage image(w.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    w.render(&image);
    return QColor(image.pixel(x, y));
}

// A 30 x 200 bar (H = 200, thumb 20: the track runs from 22 to 158).
struct Bar {
    QWidget window;
    ScrollBar* bar;
    explicit Bar(int max = 100, int largeChange = 5)
    {
        window.resize(100, 260);
        bar = new ScrollBar(&window);
        bar->setGeometry(10, 10, 30, 200);
        bar->setValueMax(max);
        bar->setValueLargeChange(largeChange);
        bar->setValue(0);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }
};

} // namespace

class TestScrollBar : public QObject
{
    Q_OBJECT
private slots:
    void valueIsKeptInRangeAndAlwaysRaisesChange()
    {
        ScrollBar bar;
        bar.setValueMin(10);
        bar.setValueMax(20);
        QSignalSpy change(&bar, &ScrollBar::changed);
        QList<int> values;
        for (int v : {25, 25, -3, 15}) { // the second 25 changes nothing, still a Change
            bar.setValue(v);
            values << bar.value();
        }
        QCOMPARE(values, QList<int>({20, 20, 10, 15}));
        QCOMPARE(change.count(), 4);
        // The maximum is applied first: with the limits crossed the minimum wins.
        bar.setValueMax(5);
        bar.setValue(7);
        QCOMPARE(bar.value(), 10);
    }

    void shades()
    {
        // Shades of (200,100,30) at k/200, rounded half to even: 55 % gives
        // 16.5 -> 16 for blue; 125 % of 30 is 37.5 -> 38; above 255 is limited.
        QCOMPARE(ScrollBar::shade(QColor(200, 100, 30), 10), QColor(110, 55, 16));
        QCOMPARE(ScrollBar::shade(QColor(200, 100, 30), 24), QColor(250, 125, 38));
        QCOMPARE(ScrollBar::shade(QColor(240, 8, 2), 24), QColor(255, 10, 2));
        QCOMPARE(ScrollBar::shade(QColor(200, 100, 30), 19), QColor(200, 100, 30));
    }

    // The reference picture: a 30 x 200 bar in (200,100,30) at value 0 (the
    // checkerboard texture, the two frames of the track, the arrows and the
    // thumb), beside the white bar without a maximum, which has no thumb.
    void look()
    {
        QImage sheet(60, 200, QImage::Format_ARGB32_Premultiplied);
        sheet.fill(Qt::transparent);
        Bar b;
        b.bar->setBackColor(QColor(200, 100, 30));
        b.bar->render(&sheet);
        b.bar->setBackColor(Qt::white);
        b.bar->setValueMax(0);
        b.bar->render(&sheet, QPoint(30, 0));
        QVERIFY(matchesReference(sheet, QStringLiteral("scrollbar")));
    }

    void thumbStaysInsideTrack_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("thumbTop");
        // ThumbTop = value / 100 * (200 - 43), rounded, then kept within 22 .. 158.
        QTest::newRow("minimum") << 0 << 22;
        QTest::newRow("10: below 22 is 22") << 10 << 22;
        QTest::newRow("20") << 20 << 31;
        QTest::newRow("50: 78.5 rounds to even") << 50 << 78;
        QTest::newRow("maximum") << 100 << 157;
    }

    void thumbStaysInsideTrack()
    {
        QFETCH(int, value);
        QFETCH(int, thumbTop);
        Bar b;
        b.bar->setValue(value);
        QCOMPARE(b.bar->thumbTop(), thumbTop);
        QCOMPARE(b.bar->thumbRect(), QRect(0, thumbTop, 30, 22));
        // The thumb covers the checkerboard where it lies.
        bool covered = false;
        for (int x = 4; x < 26; ++x) {
            const QColor c = at(*b.bar, x, thumbTop + 10);
            covered |= c != QColor(255, 255, 255) && c != QColor(178, 178, 178);
        }
        QVERIFY(covered);
    }

    void pressStarts_data()
    {
        QTest::addColumn<int>("min"); // the maximum is 5 when it is above 0, else 100
        QTest::addColumn<int>("y");
        QTest::addColumn<bool>("repeat");
        QTest::addColumn<bool>("drag");
        QTest::newRow("lower arrow repeats") << 0 << 190 << true << false;
        QTest::newRow("thumb's top edge repeats") << 0 << 22 << true << false;
        QTest::newRow("on the thumb drags") << 0 << 30 << false << true;
        // Decided: the thumb rests at the top; nothing divides by the difference.
        QTest::newRow("minimum equals maximum: nothing") << 5 << 190 << false << false;
    }

    void pressStarts()
    {
        QFETCH(int, min);
        QFETCH(int, y);
        QFETCH(bool, repeat);
        QFETCH(bool, drag);
        Bar b(min > 0 ? 5 : 100);
        b.bar->setValueMin(min);
        b.bar->setValue(9);
        QCOMPARE(b.bar->value(), min > 0 ? 5 : 9);
        b.bar->setValue(min);
        b.bar->refresh();
        QCOMPARE(b.bar->thumbTop(), 22);
        QTest::mousePress(b.bar, Qt::LeftButton, {}, QPoint(15, y));
        QCOMPARE(b.bar->repeating(), repeat);
        QCOMPARE(b.bar->isDragging(), drag);
        QTest::mouseRelease(b.bar, Qt::LeftButton, {}, QPoint(15, y));
        QVERIFY(!b.bar->repeating());
        if (!repeat && !drag)
            QCOMPARE(b.bar->value(), 5);
        else if (repeat)
            QCOMPARE(b.bar->pressY(), y);
    }

    void lowerArrowRepeatsSmallSteps()
    {
        Bar b(5);
        QList<int> seen;
        connect(b.bar, &ScrollBar::changed, b.bar, [&] { seen << b.bar->value(); });
        QTest::mousePress(b.bar, Qt::LeftButton, {}, QPoint(15, 190));
        // One small step per tick up to the maximum, and a Change on every tick after it.
        QTRY_VERIFY_WITH_TIMEOUT(seen.size() >= 7, 5000);
        QCOMPARE(seen.mid(0, 7), QList<int>({1, 2, 3, 4, 5, 5, 5}));
        QTest::mouseRelease(b.bar, Qt::LeftButton, {}, QPoint(15, 190));
        QCOMPARE(seen.last(), 5); // the release raises Change too
    }

    void trackBelowThumbPagesUntilPassed()
    {
        // Range 0..10, page 3, press at y 100: the thumb goes 22 -> 69 -> 116
        // (with the +22 of a downward step) and has passed the press point.
        Bar b(10, 3);
        QSignalSpy change(b.bar, &ScrollBar::changed);
        QTest::mousePress(b.bar, Qt::LeftButton, {}, QPoint(15, 100));
        QVERIFY(b.bar->repeating());
        QTRY_VERIFY_WITH_TIMEOUT(!b.bar->repeating(), 5000);
        QCOMPARE(b.bar->value(), 6);
        QCOMPARE(b.bar->thumbTop(), 116);
        QCOMPARE(change.count(), 2);
        QCOMPARE(at(*b.bar, 1, 100), QColor(Qt::black)); // the last step outlined the track
        QTest::mouseRelease(b.bar, Qt::LeftButton, {}, QPoint(15, 100));
    }

    void draggingMovesThumbAndValue()
    {
        Bar b;
        QSignalSpy change(b.bar, &ScrollBar::changed);
        QTest::mousePress(b.bar, Qt::LeftButton, {}, QPoint(15, 30));
        // To y 100: ThumbTop = 100 - 10 - 3 = 87; Value = 78 / 168 * 100 = 46.4 -> 46.
        QTest::mouseMove(b.bar, QPoint(15, 100));
        QCOMPARE(b.bar->thumbTop(), 87);
        QCOMPARE(b.bar->value(), 46);
        QCOMPARE(change.count(), 1);
        QVERIFY(!b.bar->changePending());
        QCOMPARE(at(*b.bar, 1, 150), b.bar->palette().color(QPalette::Light));
        // Past the end of the track: the thumb stops at H - 42, the value at the maximum.
        QTest::mouseMove(b.bar, QPoint(15, 195));
        QCOMPARE(b.bar->thumbTop(), 158);
        QCOMPARE(b.bar->value(), 100);
        QTest::mouseMove(b.bar, QPoint(15, 5));
        QCOMPARE(b.bar->thumbTop(), 22);
        QCOMPARE(b.bar->value(), 0);
        QCOMPARE(change.count(), 3);
        // The release repaints, outlines the track in black and raises Change.
        QTest::mouseRelease(b.bar, Qt::LeftButton, {}, QPoint(15, 5));
        QCOMPARE(change.count(), 4);
        QCOMPARE(at(*b.bar, 1, 20), QColor(Qt::black));
        QCOMPARE(at(*b.bar, 28, 179), QColor(Qt::black));
        QVERIFY(b.bar->isDragging()); // until the next move without a button
        QTest::mouseMove(b.bar, QPoint(15, 60));
        QVERIFY(!b.bar->isDragging());
    }

    void shortClickCountsOnce_data()
    {
        QTest::addColumn<int>("y"); // from value 50 the thumb lies at 78..98
        QTest::addColumn<int>("expected");
        QTest::newRow("lower arrow") << 190 << 51;
        QTest::newRow("upper arrow") << 5 << 49;
        QTest::newRow("track below the thumb") << 150 << 55;
        QTest::newRow("track above the thumb") << 30 << 45;
    }

    // A press released at once, as a touchpad's tap, steps once; the keys
    // are left to the container.
    void shortClickCountsOnce()
    {
        QFETCH(int, y);
        QFETCH(int, expected);
        Bar b;
        b.bar->setValue(50);
        QTest::mouseClick(b.bar, Qt::LeftButton, {}, QPoint(15, y));
        QCOMPARE(b.bar->value(), expected);
        QVERIFY(!b.bar->repeating());
        QTest::qWait(250);
        QCOMPARE(b.bar->value(), expected);
        QTest::keyClick(b.bar, Qt::Key_PageDown);
        QCOMPARE(b.bar->value(), expected);
    }
};

QTEST_MAIN(TestScrollBar)
#include "TestScrollBar.moc"
