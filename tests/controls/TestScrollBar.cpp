// ScrollBar: value invariant, track pixels, thumb
// limits, dragging and the auto-repeat timer, driven with QTest input.

#include "controls/ScrollBar.h"
#include "platform/PropertyBag.h"

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

QVariantList stored(const ScrollBar& b)
{
    return {b.Value(),     b.ValueMin(), b.ValueMax(), b.ValueLargeChange(), b.ValueSmallChange(),
            b.BackColor(), b.Enabled()};
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
    void propertiesAndBag()
    {
        ScrollBar fresh;
        QCOMPARE(stored(fresh), QVariantList({0, 0, 100, 5, 1, QColor(255, 255, 255), true}));

        // The browser's stored values, in lower case; missing keys take defaults.
        PropertyBag bag;
        bag.write(QStringLiteral("backcolor"), QColor(224, 224, 224));
        bag.write(QStringLiteral("value"), 1);
        bag.write(QStringLiteral("valuemin"), 1);
        ScrollBar loaded;
        loaded.readProperties(bag);
        QCOMPARE(stored(loaded), QVariantList({1, 1, 100, 5, 1, QColor(224, 224, 224), true}));

        PropertyBag saved;
        loaded.writeProperties(saved);
        QCOMPARE(saved.read(QStringLiteral("ValueMin")).toInt(), 1);
        QCOMPARE(saved.read(QStringLiteral("BACKCOLOR")).value<QColor>(), QColor(224, 224, 224));

        QSignalSpy changed(&fresh, &ScrollBar::propertyChanged);
        fresh.setValue(3);
        fresh.setValueMin(1);
        fresh.setValueMax(50);
        fresh.setValueLargeChange(10);
        fresh.setValueSmallChange(2);
        fresh.setBackColor(Qt::gray);
        fresh.setEnabled(false);
        QStringList keys;
        for (const auto& args : changed)
            keys << args.at(0).toString();
        QCOMPARE(keys, QStringList({"Value", "ValueMin", "ValueMax", "ValueLargeChange",
                                    "ValueSmallChange", "BackColor", "Enabled"}));
    }

    void valueIsKeptInRangeAndAlwaysRaisesChange()
    {
        ScrollBar bar;
        bar.setValueMin(10);
        bar.setValueMax(20);
        QSignalSpy change(&bar, &ScrollBar::Change);
        QList<int> values;
        for (int v : {25, 25, -3, 15}) { // the second 25 changes nothing, still a Change
            bar.setValue(v);
            values << bar.Value();
        }
        QCOMPARE(values, QList<int>({20, 20, 10, 15}));
        QCOMPARE(change.count(), 4);
        // The maximum is applied first: with the limits crossed the minimum wins.
        bar.setValueMax(5);
        bar.setValue(7);
        QCOMPARE(bar.Value(), 10);
    }

    void shadesTextureAndFrames()
    {
        // Shades of (200,100,30) at k/200, rounded half to even: 55 % gives
        // 16.5 -> 16 for blue; 125 % of 30 is 37.5 -> 38; above 255 is limited.
        QCOMPARE(ScrollBar::shade(QColor(200, 100, 30), 10), QColor(110, 55, 16));
        QCOMPARE(ScrollBar::shade(QColor(200, 100, 30), 24), QColor(250, 125, 38));
        QCOMPARE(ScrollBar::shade(QColor(240, 8, 2), 24), QColor(255, 10, 2));
        QCOMPARE(ScrollBar::shade(QColor(200, 100, 30), 19), QColor(200, 100, 30));

        Bar b;
        b.bar->setBackColor(QColor(200, 100, 30));
        const QColor back(200, 100, 30), texture(140, 70, 21);
        // Checkerboard at 70 % below the upper arrow, on (even, even) and (odd, odd).
        for (const QPoint p : {QPoint(4, 20), QPoint(5, 21), QPoint(10, 178), QPoint(11, 179)})
            QCOMPARE(at(*b.bar, p.x(), p.y()), texture);
        QCOMPARE(at(*b.bar, 5, 20), back);
        QCOMPARE(at(*b.bar, 4, 21), back);
        // Frames: outer at 55 %, inner at 80 %, on all four sides of the track.
        for (const int y : {60, 100, 170}) {
            QCOMPARE(at(*b.bar, 0, y), QColor(110, 55, 16));
            QCOMPARE(at(*b.bar, 29, y), QColor(110, 55, 16));
            QCOMPARE(at(*b.bar, 1, y), QColor(160, 80, 24));
            QCOMPARE(at(*b.bar, 28, y), QColor(160, 80, 24));
        }
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
        QCOMPARE(b.bar->ThumbTop(), thumbTop);
        QCOMPARE(b.bar->thumbRect(), QRect(0, thumbTop, 30, 22));
        // The thumb covers the checkerboard where it lies.
        bool covered = false;
        for (int x = 4; x < 26; ++x) {
            const QColor c = at(*b.bar, x, thumbTop + 10);
            covered |= c != QColor(255, 255, 255) && c != QColor(178, 178, 178);
        }
        QVERIFY(covered);
    }

    void noThumbWithoutMaximum()
    {
        Bar b;
        b.bar->setValueMax(0);
        QImage image(b.bar->size(), QImage::Format_ARGB32_Premultiplied);
        b.bar->render(&image);
        // Only the checkerboard where the thumb would be (70 % of 255 is 178.5 -> 178).
        for (int y = 22; y < 44; ++y)
            for (int x = 2; x < 28; ++x)
                QCOMPARE(QColor(image.pixel(x, y)),
                         (x + y) % 2 == 0 ? QColor(178, 178, 178) : QColor(255, 255, 255));
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
        QCOMPARE(b.bar->Value(), min > 0 ? 5 : 9);
        b.bar->setValue(min);
        b.bar->Refresh();
        QCOMPARE(b.bar->ThumbTop(), 22);
        QTest::mousePress(b.bar, Qt::LeftButton, {}, QPoint(15, y));
        QCOMPARE(b.bar->repeating(), repeat);
        QCOMPARE(b.bar->Dragging(), drag);
        QTest::mouseRelease(b.bar, Qt::LeftButton, {}, QPoint(15, y));
        QVERIFY(!b.bar->repeating());
        if (!repeat && !drag)
            QCOMPARE(b.bar->Value(), 5);
        else if (repeat)
            QCOMPARE(b.bar->PressY(), y);
    }

    void lowerArrowRepeatsSmallSteps()
    {
        Bar b(5);
        QList<int> seen;
        connect(b.bar, &ScrollBar::Change, b.bar, [&] { seen << b.bar->Value(); });
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
        QSignalSpy change(b.bar, &ScrollBar::Change);
        QTest::mousePress(b.bar, Qt::LeftButton, {}, QPoint(15, 100));
        QVERIFY(b.bar->repeating());
        QTRY_VERIFY_WITH_TIMEOUT(!b.bar->repeating(), 5000);
        QCOMPARE(b.bar->Value(), 6);
        QCOMPARE(b.bar->ThumbTop(), 116);
        QCOMPARE(change.count(), 2);
        QCOMPARE(at(*b.bar, 1, 100), QColor(Qt::black)); // the last step outlined the track
        QTest::mouseRelease(b.bar, Qt::LeftButton, {}, QPoint(15, 100));
    }

    void draggingMovesThumbAndValue()
    {
        Bar b;
        QSignalSpy change(b.bar, &ScrollBar::Change);
        QTest::mousePress(b.bar, Qt::LeftButton, {}, QPoint(15, 30));
        // To y 100: ThumbTop = 100 - 10 - 3 = 87; Value = 78 / 168 * 100 = 46.4 -> 46.
        QTest::mouseMove(b.bar, QPoint(15, 100));
        QCOMPARE(b.bar->ThumbTop(), 87);
        QCOMPARE(b.bar->Value(), 46);
        QCOMPARE(change.count(), 1);
        QVERIFY(!b.bar->ChangePending());
        QCOMPARE(at(*b.bar, 1, 150), b.bar->palette().color(QPalette::Light));
        // Past the end of the track: the thumb stops at H - 42, the value at the maximum.
        QTest::mouseMove(b.bar, QPoint(15, 195));
        QCOMPARE(b.bar->ThumbTop(), 158);
        QCOMPARE(b.bar->Value(), 100);
        QTest::mouseMove(b.bar, QPoint(15, 5));
        QCOMPARE(b.bar->ThumbTop(), 22);
        QCOMPARE(b.bar->Value(), 0);
        QCOMPARE(change.count(), 3);
        // The release repaints, outlines the track in black and raises Change.
        QTest::mouseRelease(b.bar, Qt::LeftButton, {}, QPoint(15, 5));
        QCOMPARE(change.count(), 4);
        QCOMPARE(at(*b.bar, 1, 20), QColor(Qt::black));
        QCOMPARE(at(*b.bar, 28, 179), QColor(Qt::black));
        QVERIFY(b.bar->Dragging()); // until the next move without a button
        QTest::mouseMove(b.bar, QPoint(15, 60));
        QVERIFY(!b.bar->Dragging());
    }

    void keysGoToContainer()
    {
        ScrollBar bar;
        QStringList seen;
        connect(&bar, &ScrollBar::KeyDown, &bar, [&](int& code, int& shift) {
            seen << QStringLiteral("down %1 %2").arg(code).arg(shift);
            code = 0; // as the list view hands the code back
        });
        connect(&bar, &ScrollBar::KeyUp, &bar,
                [&](int& code, int&) { seen << QStringLiteral("up %1").arg(code); });
        QTest::keyClick(&bar, Qt::Key_PageDown);
        QTest::keyClick(&bar, Qt::Key_Up, Qt::ControlModifier);
        QCOMPARE(seen,
                 QStringList({"down 34 0", "up 34", "down 17 2", "down 38 2", "up 38", "up 17"}));
        QCOMPARE(bar.Value(), 0); // the bar handles no keys itself
    }
};

QTEST_MAIN(TestScrollBar)
#include "TestScrollBar.moc"
