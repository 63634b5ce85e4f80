// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The properties of the self-drawn controls, in one table: the default of a
// fresh control, what its setter sets, and the key a design value is read
// from.

#include "controls/DatePicker.h"
#include "controls/FileListView.h"
#include "controls/PropertyBag.h"
#include "controls/RenderedButton.h"
#include "controls/ScrollBar.h"

#include <QLineEdit>
#include <QTest>

#include <memory>

namespace
{

std::unique_ptr<QWidget> make(const QString& control)
{
    if (control == QLatin1String("button"))
        return std::make_unique<RenderedButton>();
    if (control == QLatin1String("bar"))
        return std::make_unique<ScrollBar>();
    return std::make_unique<FileListView>();
}

// Calls f with a control that reads design values, as its own class.
template <class F> void asDesigned(QWidget* w, F f)
{
    if (auto* b = qobject_cast<RenderedButton*>(w))
        f(*b);
    else if (auto* s = qobject_cast<ScrollBar*>(w))
        f(*s);
    else if (auto* l = qobject_cast<FileListView*>(w))
        f(*l);
}

// "enabled" is QWidget's property; the controls report its change.
void set(QWidget* w, const char* name, const QVariant& value)
{
    if (qstrcmp(name, "enabled") == 0)
        QVERIFY(QMetaObject::invokeMethod(w, "setEnabled", Q_ARG(bool, value.toBool())));
    else
        QVERIFY(w->setProperty(name, value));
}

} // namespace

class TestControlProperties : public QObject
{
    Q_OBJECT
private slots:
    void properties_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QByteArray>("name");  // the Qt property
        QTest::addColumn<QString>("key");      // of the design value
        QTest::addColumn<QVariant>("initial"); // of a fresh control
        QTest::addColumn<QVariant>("value");
        const QPalette pal;
        auto row = [](const char* control, const char* name, const char* key, QVariant initial,
                      QVariant value) {
            QTest::addRow("%s %s", control, name)
                << QString::fromLatin1(control) << QByteArray(name) << QString::fromLatin1(key)
                << initial << value;
        };
        row("button", "caption", "Caption", QString(), QStringLiteral("Start Rename"));
        row("button", "backColor", "BackColor", QColor(255, 224, 192), QColor(Qt::red));
        row("button", "renderColor", "RenderColor", QColor(192, 192, 192), QColor(64, 255, 128));
        row("button", "enabled", "Enabled", true, false);
        row("button", "fontSize", "Fontsize", 9, 12);
        row("button", "border", "Border", 0, 3);
        row("bar", "value", "Value", 0, 3);
        row("bar", "valueMin", "ValueMin", 0, 1);
        row("bar", "valueMax", "ValueMax", 100, 50);
        row("bar", "valueLargeChange", "ValueLargeChange", 5, 10);
        row("bar", "valueSmallChange", "ValueSmallChange", 1, 2);
        row("bar", "backColor", "BackColor", QColor(Qt::white), QColor(224, 224, 224));
        row("bar", "enabled", "Enabled", true, false);
        row("list", "backGroundColor", "BackGroundColor", pal.color(QPalette::Button),
            QColor(Qt::white));
        row("list", "foreColor", "ForeColor", pal.color(QPalette::ButtonText), QColor(Qt::blue));
        row("list", "enabled", "Enabled", true, false);
        row("list", "borderType", "BorderType", 0, 1);
        row("list", "fontItalic", "FontItalic", false, true);
        row("list", "fontName", "FontName", QStringLiteral("Arial"), QStringLiteral("Courier New"));
        row("list", "fontSize", "FontSize", 9.0, 20.0);
        row("list", "fontStrikethru", "FontStrikethru", false, true);
        row("list", "fontUnderline", "FontUnderline", false, true);
    }

    void properties()
    {
        QFETCH(QString, control);
        QFETCH(QByteArray, name);
        QFETCH(QString, key);
        QFETCH(QVariant, value);
        const std::unique_ptr<QWidget> w = make(control);
        QTEST(w->property(name), "initial");
        set(w.get(), name, value);
        QCOMPARE(w->property(name), value);
        PropertyBag bag;
        bag.write(key, value);
        const std::unique_ptr<QWidget> again = make(control);
        asDesigned(again.get(), [&](auto& c) { c.readProperties(bag); });
        QCOMPARE(again->property(name), value);
    }

    // Stored layouts name keys in any letter case and may hold a colour as a
    // Windows colour number; a missing key keeps the default.
    void storedKeysAndColourNumbers()
    {
        PropertyBag bag;
        bag.write(QStringLiteral("rendercolor"), 0x0080FF40); // blue 0x80, green 0xFF, red 0x40
        bag.write(QStringLiteral("fontsize"), 12);
        RenderedButton button;
        button.resize(80, 30);
        button.readProperties(bag);
        QCOMPARE(button.renderColor(), QColor(0x40, 0xFF, 0x80));
        QCOMPARE(button.edgeLight(), QColor(0x3E, 0xFD, 0x7E)); // rendered with it
        QCOMPARE(button.fontSize(), 12);
        QCOMPARE(button.backColor(), QColor(255, 224, 192));
        ScrollBar bar;
        bar.readProperties(bag);
        QCOMPARE(bar.valueMax(), 100);
    }

    // The picker's properties are those of its date box (Arial 12 bold at first).
    void pickerDressesItsDateBox()
    {
        DatePicker picker;
        const QFont fresh = picker.dateBox()->font();
        QVERIFY(fresh.family() == "Arial" && fresh.pointSizeF() == 12 && fresh.bold());
        picker.setDateToolTipText(QStringLiteral("Creation date"));
        picker.setFontName(QStringLiteral("Courier New"));
        picker.setFontItalic(true);
        picker.setBackColor(Qt::yellow);
        const QLineEdit* box = picker.dateBox();
        QCOMPARE(box->toolTip(), QStringLiteral("Creation date"));
        QCOMPARE(box->font().family(), QStringLiteral("Courier New"));
        QVERIFY(box->font().italic());
        QCOMPARE(box->palette().color(QPalette::Base), QColor(Qt::yellow));
    }
};

QTEST_MAIN(TestControlProperties)
#include "TestControlProperties.moc"
