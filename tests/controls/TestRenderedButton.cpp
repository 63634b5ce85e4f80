// RenderedButton: the rendered pictures checked on pixels, the hover,
// pressed and focus looks, and the events it raises.

#include "controls/RenderedButton.h"
#include "platform/PropertyBag.h"

#include <QApplication>
#include <QCursor>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

using Points = QList<QPoint>;
using Colors = QList<QColor>;

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

void checkPixels(const QImage& image, const Points& points, const Colors& colors)
{
    QCOMPARE(points.size(), colors.size());
    for (int i = 0; i < points.size(); ++i) {
        const QColor got = at(image, points[i].x(), points[i].y());
        QVERIFY2(got == colors[i], qPrintable(QStringLiteral("pixel %1,%2 is %3, expected %4")
                                                  .arg(points[i].x())
                                                  .arg(points[i].y())
                                                  .arg(got.name(), colors[i].name())));
    }
}

QVariantList stored(const RenderedButton& b)
{
    return {b.Caption(), b.BackColor(), b.RenderColor(), b.Enabled(), b.FontSize(), b.Border()};
}

// A button in a shown window, so that pointer and focus behave as on screen.
struct Shown {
    QWidget window;
    RenderedButton* button;
    QLineEdit* other;
    QStringList events;
    Shown(QSize size, const QColor& color, int border)
    {
        window.resize(size.width() + 100, size.height() + 100);
        other = new QLineEdit(&window); // first in the focus chain: the window's focus goes here
        other->setGeometry(0, 0, 30, 20);
        button = new RenderedButton(&window);
        button->setGeometry(QRect(QPoint(40, 40), size));
        button->setBorder(border);
        button->setRenderColor(color);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::mouseMove(&window, QPoint(5, size.height() + 80)); // the pointer starts off it
        QObject::connect(button, &RenderedButton::MouseDown, [this] { events << "MouseDown"; });
        QObject::connect(button, &RenderedButton::MouseUp, [this] { events << "MouseUp"; });
        QObject::connect(button, &RenderedButton::Click, [this] { events << "Click"; });
        QObject::connect(button, &RenderedButton::DblClick, [this] { events << "DblClick"; });
    }
    void hover() { QTest::mouseMove(button, QPoint(20, 10)); }
};

} // namespace

class TestRenderedButton : public QObject
{
    Q_OBJECT
private slots:
    void propertiesAndBag()
    {
        RenderedButton fresh;
        QCOMPARE(stored(fresh), QVariantList({QString(), QColor(255, 224, 192),
                                              QColor(192, 192, 192), true, 9, 0}));

        // A stored layout: lower-case keys, a Windows colour number, missing keys.
        PropertyBag bag;
        bag.write(QStringLiteral("caption"), QStringLiteral("Start Rename"));
        bag.write(QStringLiteral("rendercolor"), 0x0080FF40); // blue 0x80, green 0xFF, red 0x40
        bag.write(QStringLiteral("fontsize"), 12);
        bag.write(QStringLiteral("border"), 3);
        RenderedButton loaded;
        loaded.resize(80, 30);
        loaded.readProperties(bag);
        const QVariantList expected{QStringLiteral("Start Rename"),
                                    QColor(255, 224, 192),
                                    QColor(0x40, 0xFF, 0x80),
                                    true,
                                    12,
                                    3};
        QCOMPARE(stored(loaded), expected);
        QCOMPARE(loaded.EdgeLight(), QColor(0x3E, 0xFD, 0x7E)); // rendered with it

        PropertyBag saved;
        loaded.writeProperties(saved);
        RenderedButton again;
        again.readProperties(saved);
        QCOMPARE(stored(again), expected);

        // Every setter reports the change under the stored name.
        QSignalSpy changed(&fresh, &RenderedButton::propertyChanged);
        fresh.setCaption(QStringLiteral("x"));
        fresh.setBackColor(Qt::red);
        fresh.setRenderColor(Qt::blue);
        fresh.setEnabled(false);
        fresh.setFontSize(11.25);
        fresh.setBorder(2);
        QStringList keys;
        for (const auto& args : changed)
            keys << args.at(0).toString();
        QCOMPARE(keys, QStringList({"Caption", "BackColor", "RenderColor", "Enabled", "Fontsize",
                                    "Border"}));
        QCOMPARE(fresh.FontSize(), 11);
        QCOMPARE(fresh.Enabled(), false);
    }

    void gradientRows_data()
    {
        QTest::addColumn<QColor>("renderColor");
        QTest::addColumn<bool>("hover");
        QTest::addColumn<int>("y");
        QTest::addColumn<QColor>("expected");
        // Each row is 2 darker; a component stops at 0.
        QTest::newRow("64: row 30") << QColor(64, 64, 64) << false << 30 << QColor(2, 2, 2);
        QTest::newRow("64: black from row 31")
            << QColor(64, 64, 64) << false << 31 << QColor(0, 0, 0);
        QTest::newRow("1 and 2: 0 on row 0") << QColor(1, 2, 100) << false << 0 << QColor(0, 0, 98);
        QTest::newRow("1 and 2: stay 0") << QColor(1, 2, 100) << false << 5 << QColor(0, 0, 88);
        // Hover: 60 lighter, limited to 255 until the running value falls below it.
        QTest::newRow("250 hover: row 26 white")
            << QColor(250, 250, 250) << true << 26 << QColor(255, 255, 255);
        QTest::newRow("250 hover: row 27")
            << QColor(250, 250, 250) << true << 27 << QColor(254, 254, 254);
        QTest::newRow("100 hover: row 10")
            << QColor(100, 100, 100) << true << 10 << QColor(138, 138, 138);
    }

    void gradientRows()
    {
        QFETCH(QColor, renderColor);
        QFETCH(bool, hover);
        QFETCH(int, y);
        QFETCH(QColor, expected);
        Shown s(QSize(60, 50), renderColor, 0);
        if (hover)
            s.hover();
        QCOMPARE(s.button->Hovering(), hover);
        QCOMPARE(at(shot(*s.button), 10, y), expected);
    }

    void borderDecorations_data()
    {
        // RenderColor (100,150,200) on 60 x 40: EdgeLight (98,148,198), EdgeDark after
        // 41 rows (18,68,118); gradient row y is (98 - 2y, 148 - 2y, 198 - 2y).
        QTest::addColumn<int>("border");
        QTest::addColumn<Points>("points");
        QTest::addColumn<Colors>("colors");
        const QColor light(98, 148, 198), dark(18, 68, 118), mid(58, 108, 158);
        QTest::newRow("0: two edge lines")
            << 0 << Points{{58, 20}, {59, 20}, {57, 20}} << Colors{dark, light, mid};
        QTest::newRow("1: double frame")
            << 1 << Points{{1, 20}, {2, 20}, {58, 20}, {57, 20}, {10, 1}, {10, 2}, {0, 20}}
            << Colors{light, dark, light, dark, light, dark, mid};
        QTest::newRow("2: lit frame")
            << 2 << Points{{59, 20}, {10, 39}, {0, 20}, {58, 20}, {10, 0}, {10, 38}}
            << Colors{light, light, dark, dark, dark, dark};
        QTest::newRow("3: no lines")
            << 3 << Points{{0, 20}, {59, 20}, {10, 39}} << Colors{mid, mid, QColor(20, 70, 120)};
    }

    void borderDecorations()
    {
        QFETCH(int, border);
        QFETCH(Points, points);
        QFETCH(Colors, colors);
        RenderedButton b;
        b.resize(60, 40);
        b.setBorder(border);
        b.setRenderColor(QColor(100, 150, 200));
        QCOMPARE(b.EdgeLight(), QColor(98, 148, 198));
        QCOMPARE(b.EdgeDark(), QColor(18, 68, 118));
        checkPixels(shot(b), points, colors);
    }

    void roundedCornersAreTransparent()
    {
        RenderedButton b;
        b.resize(40, 30);
        b.setRenderColor(QColor(187, 173, 1));
        b.setBorder(3);
        const QImage image = shot(b);
        // Three pixels along each edge from every corner.
        QList<QPoint> corners;
        for (const QPoint& c : {QPoint(0, 0), QPoint(39, 0), QPoint(39, 29), QPoint(0, 29)}) {
            const int dx = c.x() ? -1 : 1, dy = c.y() ? -1 : 1;
            corners << c << c + QPoint(dx, 0) << c + QPoint(2 * dx, 0) << c + QPoint(0, dy)
                    << c + QPoint(0, 2 * dy);
        }
        int transparent = 0;
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 40; ++x)
                if (qAlpha(image.pixel(x, y)) == 0) {
                    ++transparent;
                    QVERIFY2(corners.contains(QPoint(x, y)),
                             qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
                }
        QCOMPARE(transparent, 20);
        for (const QPoint& p : corners)
            QVERIFY(!b.mask().contains(p)); // the shape, not only the look: clicks pass through
        QVERIFY(b.mask().contains(QPoint(3, 0)));
        QVERIFY(b.mask().contains(QPoint(1, 1)));

        b.setBorder(0);
        QVERIFY(b.mask().isEmpty());
        QCOMPARE(qAlpha(shot(b).pixel(0, 0)), 255);
    }

    void captionIsCentredAndWhite()
    {
        RenderedButton b;
        b.resize(140, 30);
        b.setRenderColor(QColor(40, 40, 40));
        b.setCaption(QStringLiteral("Start Rename"));
        const QImage image = shot(b);
        int left = 140, right = -1, top = 30, bottom = -1, white = 0;
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 138; ++x) { // right of 138 are the border lines
                const QColor c = at(image, x, y);
                if (c.red() > 128) {
                    left = qMin(left, x), right = qMax(right, x);
                    top = qMin(top, y), bottom = qMax(bottom, y);
                }
                white += c == QColor(255, 255, 255);
            }
        QVERIFY(white > 20);
        QVERIFY2(qAbs(left - (139 - right)) <= 2,
                 qPrintable(QStringLiteral("ink %1..%2").arg(left).arg(right)));
        QVERIFY2(top >= b.CaptionY() && bottom < 30 - b.CaptionY() + 1,
                 qPrintable(QStringLiteral("ink rows %1..%2").arg(top).arg(bottom)));
        QVERIFY(qAbs(top - (29 - bottom)) <= 4);
    }

    void hoverStartsOnMoveAndEndsOnTimer()
    {
        Shown s(QSize(80, 30), QColor(100, 100, 100), 0);
        QSignalSpy moves(s.button, &RenderedButton::MouseMove);
        s.hover();
        QVERIFY(s.button->Hovering());
        QCOMPARE(moves.count(), 1);
        QCOMPARE(at(shot(*s.button), 10, 0), QColor(158, 158, 158)); // hover row 0
        QTest::qWait(250); // still over the button: the timer keeps the hover look
        QVERIFY(s.button->Hovering());
        // The pointer leaves: within a tick the normal picture is back.
        QCursor::setPos(s.window.mapToGlobal(QPoint(5, 100)));
        QTRY_VERIFY_WITH_TIMEOUT(!s.button->Hovering(), 2000);
        QCOMPARE(at(shot(*s.button), 10, 0), QColor(98, 98, 98));
    }

    void pressedLook_data()
    {
        // RenderColor (100,150,200) on 60 x 40. The hover picture starts at
        // (160,210,260): row 5 (148,198,248); its own edges are (160,210,255) and
        // (78,128,178). The pressed lines use the normal picture's EdgeLight
        // (98,148,198) and EdgeDark (18,68,118).
        QTest::addColumn<int>("border");
        QTest::addColumn<Points>("points");
        QTest::addColumn<Colors>("colors");
        const QColor light(98, 148, 198), dark(18, 68, 118), row5(148, 198, 248);
        QTest::newRow("0") << 0 << Points{{58, 20}, {59, 20}, {10, 5}} << Colors{dark, light, row5};
        QTest::newRow("1: the hover frame only")
            << 1 << Points{{1, 20}, {2, 20}, {10, 5}}
            << Colors{QColor(160, 210, 255), QColor(78, 128, 178), row5};
        QTest::newRow("2: dark frames")
            << 2 << Points{{0, 20}, {10, 0}, {59, 20}, {58, 20}, {10, 39}, {10, 5}}
            << Colors{dark, dark, dark, dark, dark, row5};
        QTest::newRow("3: light frame") << 3 << Points{{3, 0}, {0, 10}, {59, 10}, {10, 39}, {10, 5}}
                                        << Colors{light, light, light, light, row5};
    }

    void pressedLook()
    {
        QFETCH(int, border);
        QFETCH(Points, points);
        QFETCH(Colors, colors);
        Shown s(QSize(60, 40), QColor(100, 150, 200), border);
        QSignalSpy downs(s.button, &RenderedButton::MouseDown);
        QTest::mousePress(s.button, Qt::LeftButton, Qt::ShiftModifier, QPoint(30, 20));
        QCOMPARE(downs.count(), 1);
        QCOMPARE(downs.at(0), QList<QVariant>({1, 1, 30.0f, 20.0f}));
        checkPixels(shot(*s.button), points, colors);
        QTest::mouseRelease(s.button, Qt::LeftButton, {}, QPoint(30, 20));
    }

    void mouseUpOnlyInsideAndDoubleClick()
    {
        Shown s(QSize(60, 40), QColor(100, 150, 200), 2);
        // Released outside: no MouseUp, no Click, and the pressed look stays.
        QTest::mousePress(s.button, Qt::LeftButton, {}, QPoint(30, 20));
        QTest::mouseRelease(s.button, Qt::LeftButton, {}, QPoint(80, 20));
        QCOMPARE(s.events, QStringList({"MouseDown"}));
        checkPixels(shot(*s.button), {{0, 20}, {10, 5}},
                    {QColor(18, 68, 118), QColor(148, 198, 248)});
        // Released inside: the hover look, MouseUp, then Click.
        s.events.clear();
        QTest::mouseClick(s.button, Qt::LeftButton, {}, QPoint(30, 20));
        QCOMPARE(s.events, QStringList({"MouseDown", "MouseUp", "Click"}));
        QCOMPARE(at(shot(*s.button), 0, 20), QColor(160, 210, 255)); // hover frame, not pressed
        // The platform's second press comes as a double click, then its release.
        s.events.clear();
        QTest::mouseDClick(s.button, Qt::LeftButton, {}, QPoint(30, 20));
        QTest::mouseRelease(s.button, Qt::LeftButton, {}, QPoint(30, 20));
        QCOMPARE(s.events, QStringList({"DblClick", "MouseUp"}));
    }

    void focusLooks()
    {
        Shown s(QSize(60, 40), QColor(100, 150, 200), 0);
        s.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&s.window));
        s.button->setFocus();
        QTRY_VERIFY(s.button->hasFocus());
        QCOMPARE(at(shot(*s.button), 10, 5), QColor(148, 198, 248)); // hover look ...
        QVERIFY(!s.button->Hovering());                              // ... without the timer
        s.other->setFocus();
        QTRY_VERIFY(!s.button->hasFocus());
        QCOMPARE(at(shot(*s.button), 10, 5), QColor(88, 138, 188)); // normal picture
    }

    void onlySpaceAndEnterClick()
    {
        RenderedButton b;
        b.resize(60, 30);
        QStringList events;
        connect(&b, &RenderedButton::KeyDown, &b, [&](int& code, int& shift) {
            events << QStringLiteral("KeyDown %1 %2").arg(code).arg(shift);
        });
        connect(&b, &RenderedButton::KeyPress, &b,
                [&](int& ascii) { events << QStringLiteral("KeyPress %1").arg(ascii); });
        connect(&b, &RenderedButton::KeyUp, &b,
                [&](int& code, int&) { events << QStringLiteral("KeyUp %1").arg(code); });
        connect(&b, &RenderedButton::Click, &b, [&] { events << "Click"; });
        // Only Space and Enter click; no other key may start what the button does.
        for (Qt::Key k : {Qt::Key_A, Qt::Key_Return, Qt::Key_Space, Qt::Key_Escape})
            QTest::keyClick(&b, k);
        QTest::keyClick(&b, Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(events,
                 QStringList({"KeyDown 65 0", "KeyPress 97", "KeyUp 65", "KeyDown 13 0",
                              "KeyPress 13", "Click", "KeyUp 13", "KeyDown 32 0", "KeyPress 32",
                              "Click", "KeyUp 32", "KeyDown 27 0", "KeyPress 27", "KeyUp 27",
                              "KeyDown 16 1", "KeyDown 40 1", "KeyUp 40", "KeyUp 16"}));
    }
};

QTEST_MAIN(TestRenderedButton)
#include "TestRenderedButton.moc"
