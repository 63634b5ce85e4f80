// VelloVerticalScroll: value invariant, track pixels, thumb
// limits, dragging and the auto-repeat timer, driven with QTest input.

#include "controls/VelloVerticalScroll.h"
#include "platform/PropertyBag.h"

#include <QSignalSpy>
#include <QTest>

namespace
{

QImage shot(QWidget& w)
{
    QImage image(w.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    w.render(&image);
    return image;
}

QColor at(const QImage& image, int x, int y)
{
    return QColor(image.pixel(x, y));
}

// A 30 x 200 bar (H = 200, thumb 20: the track runs from 22 to 158).
struct Bar {
    QWidget window;
    VelloVerticalScroll* bar;
    explicit Bar(int max = 100, int largeChange = 5)
    {
        window.resize(100, 260);
        bar = new VelloVerticalScroll(&window);
        bar->setGeometry(10, 10, 30, 200);
        bar->setValueMax(max);
        bar->setValueLargeChange(largeChange);
        bar->setValue(0);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }
};

} // namespace

class TestVelloVerticalScroll : public QObject
{
    Q_OBJECT
private slots:
    void propertiesAndBag();
    void valueIsKeptInRangeAndAlwaysRaisesChange();
    void shadesTextureAndFrames();
    void thumbStaysInsideTrack_data();
    void thumbStaysInsideTrack();
    void noThumbWithoutMaximum();
    void equalMinimumAndMaximum();
    void lowerArrowRepeatsSmallSteps();
    void trackBelowThumbPagesUntilPassed();
    void pressOnThumbTopEdgeRepeats();
    void draggingMovesThumbAndValue();
    void keysGoToContainer();
};

void TestVelloVerticalScroll::propertiesAndBag()
{
    VelloVerticalScroll fresh;
    QCOMPARE(fresh.Value(), 0);
    QCOMPARE(fresh.ValueMin(), 0);
    QCOMPARE(fresh.ValueMax(), 100);
    QCOMPARE(fresh.ValueLargeChange(), 5);
    QCOMPARE(fresh.ValueSmallChange(), 1);
    QCOMPARE(fresh.BackColor(), QColor(255, 255, 255));
    QCOMPARE(fresh.Enabled(), true);

    // The browser's stored values, in lower case; missing keys take defaults.
    PropertyBag stored;
    stored.write(QStringLiteral("backcolor"), QColor(224, 224, 224));
    stored.write(QStringLiteral("value"), 1);
    stored.write(QStringLiteral("valuemin"), 1);
    VelloVerticalScroll loaded;
    loaded.readProperties(stored);
    QCOMPARE(loaded.BackColor(), QColor(224, 224, 224));
    QCOMPARE(loaded.Value(), 1);
    QCOMPARE(loaded.ValueMin(), 1);
    QCOMPARE(loaded.ValueMax(), 100);
    QCOMPARE(loaded.ValueLargeChange(), 5);

    PropertyBag saved;
    loaded.writeProperties(saved);
    QCOMPARE(saved.read(QStringLiteral("ValueMin")).toInt(), 1);
    QCOMPARE(saved.read(QStringLiteral("BACKCOLOR")).value<QColor>(), QColor(224, 224, 224));

    QSignalSpy changed(&fresh, &VelloVerticalScroll::propertyChanged);
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

void TestVelloVerticalScroll::valueIsKeptInRangeAndAlwaysRaisesChange()
{
    VelloVerticalScroll bar;
    bar.setValueMin(10);
    bar.setValueMax(20);
    QSignalSpy change(&bar, &VelloVerticalScroll::Change);
    bar.setValue(25);
    QCOMPARE(bar.Value(), 20);
    bar.setValue(25); // no change of value, still a Change
    QCOMPARE(bar.Value(), 20);
    bar.setValue(-3);
    QCOMPARE(bar.Value(), 10);
    bar.setValue(15);
    QCOMPARE(bar.Value(), 15);
    QCOMPARE(change.count(), 4);

    // The maximum is applied first: with the limits crossed the minimum wins.
    bar.setValueMax(5);
    bar.setValue(7);
    QCOMPARE(bar.Value(), 10);
}

void TestVelloVerticalScroll::shadesTextureAndFrames()
{
    // Shades of (200,100,30) at k/200, rounded half to even: 55 % gives
    // 16.5 -> 16 for blue; 125 % of 30 is 37.5 -> 38; above 255 is limited.
    QCOMPARE(VelloVerticalScroll::shade(QColor(200, 100, 30), 10), QColor(110, 55, 16));
    QCOMPARE(VelloVerticalScroll::shade(QColor(200, 100, 30), 24), QColor(250, 125, 38));
    QCOMPARE(VelloVerticalScroll::shade(QColor(240, 8, 2), 24), QColor(255, 10, 2));
    QCOMPARE(VelloVerticalScroll::shade(QColor(200, 100, 30), 19), QColor(200, 100, 30));

    Bar b;
    b.bar->setBackColor(QColor(200, 100, 30));
    QCOMPARE(b.bar->ShadeTable().size(), 25);
    QCOMPARE(b.bar->ShadeTable().at(13), QColor(140, 70, 21));
    const QImage image = shot(*b.bar);
    const QColor back(200, 100, 30), texture(140, 70, 21), outer(110, 55, 16), inner(160, 80, 24);
    // Checkerboard at 70 % below the upper arrow, on (even, even) and (odd, odd).
    QCOMPARE(at(image, 4, 20), texture);
    QCOMPARE(at(image, 5, 21), texture);
    QCOMPARE(at(image, 5, 20), back);
    QCOMPARE(at(image, 4, 21), back);
    QCOMPARE(at(image, 10, 178), texture);
    QCOMPARE(at(image, 11, 179), texture);
    // Frames: outer at 55 %, inner at 80 %, on all four sides of the track.
    for (const int y : {60, 100, 170}) {
        QCOMPARE(at(image, 0, y), outer);
        QCOMPARE(at(image, 29, y), outer);
        QCOMPARE(at(image, 1, y), inner);
        QCOMPARE(at(image, 28, y), inner);
    }
}

void TestVelloVerticalScroll::thumbStaysInsideTrack_data()
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

void TestVelloVerticalScroll::thumbStaysInsideTrack()
{
    QFETCH(int, value);
    QFETCH(int, thumbTop);
    Bar b;
    b.bar->setValue(value);
    QCOMPARE(b.bar->ThumbTop(), thumbTop);
    QCOMPARE(b.bar->thumbRect(), QRect(0, thumbTop, 30, 22));
    QVERIFY(b.bar->ThumbTop() >= 22 && b.bar->ThumbTop() <= 158);
    // The thumb covers the checkerboard where it lies.
    const QImage image = shot(*b.bar);
    bool covered = false;
    for (int x = 4; x < 26; ++x)
        covered |= at(image, x, thumbTop + 10) != QColor(255, 255, 255) &&
                   at(image, x, thumbTop + 10) != QColor(178, 178, 178);
    QVERIFY(covered);
}

void TestVelloVerticalScroll::noThumbWithoutMaximum()
{
    Bar b;
    b.bar->setValueMax(0);
    const QImage image = shot(*b.bar);
    // Only the checkerboard where the thumb would be (70 % of 255 is 178.5 -> 178).
    for (int y = 22; y < 44; ++y)
        for (int x = 2; x < 28; ++x)
            QCOMPARE(at(image, x, y),
                     (x + y) % 2 == 0 ? QColor(178, 178, 178) : QColor(255, 255, 255));
}

void TestVelloVerticalScroll::equalMinimumAndMaximum()
{
    // Decided: the thumb rests at the top; nothing divides by the difference.
    Bar b;
    b.bar->setValueMax(5);
    b.bar->setValueMin(5);
    b.bar->setValue(9);
    QCOMPARE(b.bar->Value(), 5);
    QCOMPARE(b.bar->ThumbTop(), 22);
    b.bar->Refresh();
    QCOMPARE(b.bar->ThumbTop(), 22);
    // A press does nothing.
    QSignalSpy change(b.bar, &VelloVerticalScroll::Change);
    QTest::mousePress(b.bar, Qt::LeftButton, {}, QPoint(15, 190));
    QVERIFY(!b.bar->repeating());
    QTest::mouseRelease(b.bar, Qt::LeftButton, {}, QPoint(15, 190));
    QCOMPARE(b.bar->Value(), 5);
}

void TestVelloVerticalScroll::lowerArrowRepeatsSmallSteps()
{
    Bar b(5);
    QList<int> seen;
    connect(b.bar, &VelloVerticalScroll::Change, b.bar, [&] { seen << b.bar->Value(); });
    QTest::mousePress(b.bar, Qt::LeftButton, {}, QPoint(15, 190));
    QVERIFY(b.bar->repeating());
    // One small step per tick up to the maximum, and a Change on every tick after it.
    QTRY_VERIFY_WITH_TIMEOUT(seen.size() >= 7, 5000);
    QCOMPARE(seen.mid(0, 7), QList<int>({1, 2, 3, 4, 5, 5, 5}));
    QTest::mouseRelease(b.bar, Qt::LeftButton, {}, QPoint(15, 190));
    QVERIFY(!b.bar->repeating());
    QCOMPARE(seen.last(), 5); // the release raises Change too
}

void TestVelloVerticalScroll::trackBelowThumbPagesUntilPassed()
{
    // Range 0..10, page 3, press at y 100: the thumb goes 22 -> 69 -> 116
    // (with the +22 of a downward step) and has passed the press point.
    Bar b(10, 3);
    QSignalSpy change(b.bar, &VelloVerticalScroll::Change);
    QTest::mousePress(b.bar, Qt::LeftButton, {}, QPoint(15, 100));
    QCOMPARE(b.bar->PressY(), 100);
    QVERIFY(b.bar->repeating());
    QTRY_VERIFY_WITH_TIMEOUT(!b.bar->repeating(), 5000);
    QCOMPARE(b.bar->Value(), 6);
    QCOMPARE(b.bar->ThumbTop(), 116);
    QCOMPARE(change.count(), 2);
    // The last step outlined the track in black.
    QCOMPARE(at(shot(*b.bar), 1, 100), QColor(Qt::black));
    QTest::mouseRelease(b.bar, Qt::LeftButton, {}, QPoint(15, 100));
}

void TestVelloVerticalScroll::pressOnThumbTopEdgeRepeats()
{
    Bar b;
    QCOMPARE(b.bar->ThumbTop(), 22);
    QTest::mousePress(b.bar, Qt::LeftButton, {}, QPoint(15, 22));
    QVERIFY(!b.bar->Dragging());
    QVERIFY(b.bar->repeating());
    QCOMPARE(b.bar->PressY(), 22);
    QTest::mouseRelease(b.bar, Qt::LeftButton, {}, QPoint(15, 22));
    QVERIFY(!b.bar->repeating());
}

void TestVelloVerticalScroll::draggingMovesThumbAndValue()
{
    Bar b;
    QSignalSpy change(b.bar, &VelloVerticalScroll::Change);
    QTest::mousePress(b.bar, Qt::LeftButton, {}, QPoint(15, 30));
    QVERIFY(b.bar->Dragging());
    QVERIFY(!b.bar->repeating());

    // To y 100: ThumbTop = 100 - 10 - 3 = 87; Value = 78 / 168 * 100 = 46.4 -> 46.
    QTest::mouseMove(b.bar, QPoint(15, 100));
    QCOMPARE(b.bar->ThumbTop(), 87);
    QCOMPARE(b.bar->Value(), 46);
    QCOMPARE(change.count(), 1);
    QVERIFY(!b.bar->ChangePending());
    const QColor highlight = b.bar->palette().color(QPalette::Light);
    QCOMPARE(at(shot(*b.bar), 1, 150), highlight);

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
    const QImage released = shot(*b.bar);
    QCOMPARE(at(released, 1, 20), QColor(Qt::black));
    QCOMPARE(at(released, 28, 179), QColor(Qt::black));
    QVERIFY(b.bar->Dragging()); // until the next move without a button
    QTest::mouseMove(b.bar, QPoint(15, 60));
    QVERIFY(!b.bar->Dragging());
}

void TestVelloVerticalScroll::keysGoToContainer()
{
    VelloVerticalScroll bar;
    QStringList seen;
    connect(&bar, &VelloVerticalScroll::KeyDown, &bar, [&](int& code, int& shift) {
        seen << QStringLiteral("down %1 %2").arg(code).arg(shift);
        code = 0; // as the list view hands the code back
    });
    connect(&bar, &VelloVerticalScroll::KeyUp, &bar,
            [&](int& code, int&) { seen << QStringLiteral("up %1").arg(code); });
    QTest::keyClick(&bar, Qt::Key_PageDown);
    QTest::keyClick(&bar, Qt::Key_Up, Qt::ControlModifier);
    QCOMPARE(seen, QStringList({"down 34 0", "up 34", "down 17 2", "down 38 2", "up 38", "up 17"}));
    QCOMPARE(bar.Value(), 0); // the bar handles no keys itself
}

QTEST_MAIN(TestVelloVerticalScroll)
#include "TestVelloVerticalScroll.moc"
