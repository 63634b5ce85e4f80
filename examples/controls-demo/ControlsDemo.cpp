// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// controls-demo: shows RenderedButton, ScrollBar and DatePicker in
// one window, with a log of the events they raise. A manual test program:
//   controls-demo                      interactive
//   controls-demo --open-calendar      open the date picker at start
//   controls-demo --screenshot FILE    save the window as a picture after start and quit
// Run with QT_SCALE_FACTOR=2 to see the controls at 200 %.

#include "controls/DatePicker.h"
#include "controls/RenderedButton.h"
#include "controls/ScrollBar.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>

namespace
{

class Demo : public QWidget
{
public:
    Demo()
    {
        setWindowTitle(QStringLiteral("Quillon controls demo"));
        auto* grid = new QGridLayout(this);

        // Buttons: the four border styles, a main-window style button, a disabled one.
        auto* buttons = new QFrame;
        buttons->setMinimumSize(420, 150);
        const struct {
            const char* caption;
            QColor color;
            int border;
            int x, y, w, h;
        } samples[] = {
            {"Border 0", QColor(192, 192, 192), 0, 10, 10, 120, 30},
            {"Border 1", QColor(120, 160, 220), 1, 140, 10, 120, 30},
            {"Border 2", QColor(200, 120, 80), 2, 270, 10, 120, 30},
            {"Border 3", QColor(187, 173, 1), 3, 10, 55, 120, 30},
            {"Start Rename", QColor(64, 64, 64), 0, 140, 55, 120, 30},
            {"Disabled", QColor(153, 204, 204), 3, 270, 55, 120, 30},
        };
        for (const auto& s : samples) {
            auto* b = new RenderedButton(buttons);
            b->setGeometry(s.x, s.y, s.w, s.h);
            b->setBorder(s.border);
            b->setRenderColor(s.color);
            b->setCaption(QString::fromLatin1(s.caption));
            const QString name = b->caption();
            if (name == QLatin1String("Disabled"))
                b->setEnabled(false);
            connect(b, &RenderedButton::clicked, this,
                    [this, name] { log(name + QStringLiteral(": Click")); });
            connect(b, &RenderedButton::doubleClicked, this,
                    [this, name] { log(name + QStringLiteral(": DblClick")); });
            connect(b, &RenderedButton::mouseDown, this,
                    [this, name](int button, int, float x, float y) {
                        log(QStringLiteral("%1: MouseDown %2 at %3,%4")
                                .arg(name)
                                .arg(button)
                                .arg(x)
                                .arg(y));
                    });
            connect(b, &RenderedButton::mouseUp, this, [this, name](int button, int, float, float) {
                log(QStringLiteral("%1: MouseUp %2").arg(name).arg(button));
            });
            connect(b, &RenderedButton::keyPress, this, [this, name](int& ascii) {
                log(QStringLiteral("%1: KeyPress %2").arg(name).arg(ascii));
            });
        }
        auto* big = new RenderedButton(buttons);
        big->setGeometry(10, 100, 380, 40);
        big->setFontSize(12);
        big->setBorder(1);
        big->setRenderColor(QColor(90, 150, 90));
        big->setCaption(QStringLiteral("A wider button, 12 point"));
        grid->addWidget(new QLabel(QStringLiteral("RenderedButton (hover, press, Tab + key):")), 0,
                        0);
        grid->addWidget(buttons, 1, 0);

        // Scroll bars: as in the list view (15 px, white) and the browser (grey), and a wide one.
        auto* bars = new QFrame;
        bars->setMinimumSize(200, 220);
        auto* value = new QLabel(bars);
        value->setGeometry(90, 10, 110, 60);
        const struct {
            QColor back;
            int x, w, max, large;
        } barSamples[] = {
            {QColor(255, 255, 255), 10, 15, 100, 5},
            {QColor(224, 224, 224), 35, 17, 20, 3},
            {QColor(200, 100, 30), 60, 24, 10, 2},
        };
        for (const auto& s : barSamples) {
            auto* bar = new ScrollBar(bars);
            bar->setGeometry(s.x, 10, s.w, 200);
            bar->setBackColor(s.back);
            bar->setValueMax(s.max);
            bar->setValueLargeChange(s.large);
            bar->setValue(s.max / 4);
            connect(bar, &ScrollBar::changed, this, [value, bar] {
                value->setText(QStringLiteral("Value %1\nof %2..%3")
                                   .arg(bar->value())
                                   .arg(bar->valueMin())
                                   .arg(bar->valueMax()));
            });
            connect(bar, &ScrollBar::keyDown, this, [this, bar](int& code, int&) {
                // As the containers do: page and step with the keys.
                if (code == 33)
                    bar->setValue(bar->value() - bar->valueLargeChange());
                if (code == 34)
                    bar->setValue(bar->value() + bar->valueLargeChange());
                if (code == 38)
                    bar->setValue(bar->value() - bar->valueSmallChange());
                if (code == 40)
                    bar->setValue(bar->value() + bar->valueSmallChange());
                log(QStringLiteral("scroll bar: KeyDown %1").arg(code));
                code = 0;
            });
        }
        grid->addWidget(new QLabel(QStringLiteral("ScrollBar (drag, hold arrow/track):")), 0, 1);
        grid->addWidget(bars, 1, 1);

        // The date picker in a header strip, as in the list view.
        auto* header = new QFrame;
        header->setMinimumSize(420, 360);
        auto* strip = new QLabel(QStringLiteral("  Created"), header);
        strip->setGeometry(0, 0, 400, 26);
        strip->setFrameShape(QFrame::Panel);
        strip->setFrameShadow(QFrame::Raised);
        auto* text = new QLabel(header);
        text->setGeometry(10, 40, 400, 20);
        calendar = new DatePicker(header);
        calendar->move(140, 0);
        auto showText = [text, this] {
            text->setText(QStringLiteral("Text: ") + calendar->text());
        };
        showText();
        connect(calendar, &DatePicker::changed, this, [this, showText] {
            showText();
            log(QStringLiteral("calendar: Change ") + calendar->text());
        });
        connect(calendar, &DatePicker::clicked, this,
                [this] { log(QStringLiteral("calendar: Click")); });
        grid->addWidget(new QLabel(QStringLiteral("DatePicker (click the picture):")), 2, 0);
        grid->addWidget(header, 3, 0);

        events = new QPlainTextEdit;
        events->setReadOnly(true);
        grid->addWidget(new QLabel(QStringLiteral("Events:")), 2, 1);
        grid->addWidget(events, 3, 1);
        auto* focusSink = new QLineEdit;
        focusSink->setPlaceholderText(QStringLiteral("(somewhere else to put the focus)"));
        grid->addWidget(focusSink, 4, 0, 1, 2);
    }

    void log(const QString& line) { events->appendPlainText(line); }

    DatePicker* calendar = nullptr;
    QPlainTextEdit* events = nullptr;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption openCalendar(QStringLiteral("open-calendar"),
                                          QStringLiteral("Open the date picker at start."));
    const QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                        QStringLiteral("Save the window to FILE and quit."),
                                        QStringLiteral("FILE"));
    parser.addOption(openCalendar);
    parser.addOption(screenshot);
    parser.process(app);

    Demo demo;
    demo.resize(900, 620);
    demo.show();
    if (parser.isSet(openCalendar))
        QTimer::singleShot(200, &demo, [&demo] {
            demo.activateWindow();
            demo.calendar->setFocus(Qt::MouseFocusReason);
        });
    if (parser.isSet(screenshot)) {
        const QString file = parser.value(screenshot);
        QTimer::singleShot(800, &demo, [&demo, file] {
            demo.grab().save(file);
            QApplication::quit();
        });
    }
    return app.exec();
}
