// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// RenderedButton: the rendered pictures against reference pictures, the
// shape, the hover, pressed and focus looks, and the events it raises.

#include "controls/RenderedButton.h"

#include "ReferenceImage.h"

#include <QApplication>
#include <QCursor>
#include <QLineEdit>
#include <QPainter>
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
        QObject::connect(button, &RenderedButton::mouseDown, [this] { events << "MouseDown"; });
        QObject::connect(button, &RenderedButton::mouseUp, [this] { events << "MouseUp"; });
        QObject::connect(button, &RenderedButton::clicked, [this] { events << "Click"; });
        QObject::connect(button, &RenderedButton::doubleClicked, [this] { events << "DblClick"; });
    }
    void hover() { QTest::mouseMove(button, QPoint(20, 10)); }
};

} // namespace

class TestRenderedButton : public QObject
{
    Q_OBJECT
private slots:
    void looks_data()
    {
        QTest::addColumn<int>("border");
        for (int border = 0; border <= 3; ++border)
            QTest::addRow("border %d", border) << border;
    }

    // One reference picture per border style: the normal, hover and pressed
    // looks of a 60 x 40 button side by side, in a middle colour and in one
    // whose components run into 0 and 255. The looks are computed pixel by
    // pixel, without fonts, so they are the same on every machine (see
    // ReferenceImage.h to write them anew).
    void looks()
    {
        QFETCH(int, border);
        QImage sheet(180, 80, QImage::Format_ARGB32_Premultiplied);
        sheet.fill(Qt::transparent);
        QPainter painter(&sheet);
        int y = 0;
        for (const QColor& color : {QColor(100, 150, 200), QColor(250, 1, 64)}) {
            Shown s(QSize(60, 40), color, border);
            painter.drawImage(0, y, shot(*s.button));
            s.hover();
            QVERIFY(s.button->isHovering());
            painter.drawImage(60, y, shot(*s.button));
            QSignalSpy downs(s.button, &RenderedButton::mouseDown);
            QTest::mousePress(s.button, Qt::LeftButton, Qt::ShiftModifier, QPoint(30, 20));
            QCOMPARE(downs.at(0),
                     QList<QVariant>({QVariant::fromValue(Qt::LeftButton),
                                      QVariant::fromValue(Qt::KeyboardModifiers(Qt::ShiftModifier)),
                                      QPointF(30, 20)}));
            painter.drawImage(120, y, shot(*s.button));
            QTest::mouseRelease(s.button, Qt::LeftButton, {}, QPoint(30, 20));
            y += 40;
        }
        painter.end();
        QVERIFY(matchesReference(sheet, QStringLiteral("button-border%1").arg(border)));
    }

    // The rounded corners of border 3 (transparent in its reference picture)
    // are cut from the widget's shape too, so clicks there pass through.
    void roundedCornersAreCutFromTheShape()
    {
        RenderedButton b;
        b.resize(40, 30);
        b.setBorder(3);
        for (const QPoint& p : {QPoint(0, 0), QPoint(2, 0), QPoint(0, 2), QPoint(39, 29)})
            QVERIFY(!b.mask().contains(p));
        QVERIFY(b.mask().contains(QPoint(3, 0)));
        QVERIFY(b.mask().contains(QPoint(1, 1)));
        b.setBorder(0);
        QVERIFY(b.mask().isEmpty());
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
        QVERIFY2(top >= b.captionY() && bottom < 30 - b.captionY() + 1,
                 qPrintable(QStringLiteral("ink rows %1..%2").arg(top).arg(bottom)));
        QVERIFY(qAbs(top - (29 - bottom)) <= 4);
    }

    void hoverStartsOnMoveAndEndsOnTimer()
    {
        Shown s(QSize(80, 30), QColor(100, 100, 100), 0);
        QSignalSpy moves(s.button, &RenderedButton::mouseMove);
        s.hover();
        QVERIFY(s.button->isHovering());
        QCOMPARE(moves.count(), 1);
        QCOMPARE(at(shot(*s.button), 10, 0), QColor(158, 158, 158)); // hover row 0
        QTest::qWait(250); // still over the button: the timer keeps the hover look
        QVERIFY(s.button->isHovering());
        // The pointer leaves: within a tick the normal picture is back.
        QCursor::setPos(s.window.mapToGlobal(QPoint(5, 100)));
        QTRY_VERIFY_WITH_TIMEOUT(!s.button->isHovering(), 2000);
        QCOMPARE(at(shot(*s.button), 10, 0), QColor(98, 98, 98));
    }

    void mouseUpOnlyInsideAndDoubleClick()
    {
        Shown s(QSize(60, 40), QColor(100, 150, 200), 2);
        // Released outside: no MouseUp, no Click, and the pressed look stays.
        QTest::mousePress(s.button, Qt::LeftButton, {}, QPoint(30, 20));
        const QImage pressed = shot(*s.button);
        QTest::mouseRelease(s.button, Qt::LeftButton, {}, QPoint(80, 20));
        QCOMPARE(s.events, QStringList({"MouseDown"}));
        QCOMPARE(shot(*s.button), pressed);
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

    // Tab brings the focus: the hover look inside a dark ring, plain to see.
    void focusLooks()
    {
        Shown s(QSize(60, 40), QColor(100, 150, 200), 0);
        s.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&s.window));
        s.other->setFocus();
        QTest::keyClick(s.other, Qt::Key_Tab);
        QTRY_VERIFY(s.button->hasFocus());
        const QImage focused = shot(*s.button);
        QCOMPARE(at(focused, 10, 8), QColor(142, 192, 242)); // hover look ...
        QVERIFY(!s.button->isHovering());                    // ... without the timer
        s.other->setFocus();
        QTRY_VERIFY(!s.button->hasFocus());
        const QImage normal = shot(*s.button);
        QCOMPARE(at(normal, 10, 5), QColor(88, 138, 188)); // normal picture
        for (const QPoint& ring : {QPoint(3, 20), QPoint(30, 3), QPoint(56, 20)})
            QVERIFY(qGray(focused.pixel(ring)) < 40 && qGray(normal.pixel(ring)) > 80);
    }

    // Only Space and Enter click; no other key may start what the button does.
    void onlySpaceAndEnterClick()
    {
        RenderedButton b;
        b.resize(60, 30);
        QSignalSpy clicks(&b, &RenderedButton::clicked);
        for (Qt::Key k : {Qt::Key_A, Qt::Key_Return, Qt::Key_Space, Qt::Key_Escape, Qt::Key_Down})
            QTest::keyClick(&b, k);
        QCOMPARE(clicks.count(), 2);
    }
};

QTEST_MAIN(TestRenderedButton)
#include "TestRenderedButton.moc"
