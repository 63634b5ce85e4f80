// The properties of the self-drawn controls, in one table: the default of a
// fresh control, the key its setter reports, and, for the properties saved
// with the window, the value written under that key and read back by a
// fresh control.

#include "controls/CalendarMonth.h"
#include "controls/DatePicker.h"
#include "controls/FileListView.h"
#include "controls/RenderedButton.h"
#include "controls/ScrollBar.h"
#include "platform/DateText.h"
#include "platform/PropertyBag.h"

#include <QLineEdit>
#include <QSignalSpy>
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
    if (control == QLatin1String("picker"))
        return std::make_unique<DatePicker>();
    return std::make_unique<FileListView>();
}

// Calls f with a control that saves its properties, as its own class.
template <class F> void asSaving(QWidget* w, F f)
{
    if (auto* b = qobject_cast<RenderedButton*>(w))
        f(*b);
    else if (auto* s = qobject_cast<ScrollBar*>(w))
        f(*s);
    else if (auto* l = qobject_cast<FileListView*>(w))
        f(*l);
}

// "enabled" is QWidget's property; the controls' own setter reports the change.
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
    void initTestCase()
    {
        DateText::setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
        CalendarMonth::setToday(QDate(2012, 10, 22));
    }

    void properties_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QByteArray>("name");  // the Qt property
        QTest::addColumn<QString>("key");      // reported, and stored when saved
        QTest::addColumn<QVariant>("initial"); // of a fresh control
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<bool>("saved");
        const QPalette pal;
        auto row = [](const char* control, const char* name, const char* key, QVariant initial,
                      QVariant value, bool saved) {
            QTest::addRow("%s %s", control, name)
                << QString::fromLatin1(control) << QByteArray(name) << QString::fromLatin1(key)
                << initial << value << saved;
        };
        row("button", "caption", "Caption", QString(), QStringLiteral("Start Rename"), true);
        row("button", "backColor", "BackColor", QColor(255, 224, 192), QColor(Qt::red), true);
        row("button", "renderColor", "RenderColor", QColor(192, 192, 192), QColor(64, 255, 128),
            true);
        row("button", "enabled", "Enabled", true, false, true);
        row("button", "fontSize", "Fontsize", 9, 12, true);
        row("button", "border", "Border", 0, 3, true);
        row("bar", "value", "Value", 0, 3, true);
        row("bar", "valueMin", "ValueMin", 0, 1, true);
        row("bar", "valueMax", "ValueMax", 100, 50, true);
        row("bar", "valueLargeChange", "ValueLargeChange", 5, 10, true);
        row("bar", "valueSmallChange", "ValueSmallChange", 1, 2, true);
        row("bar", "backColor", "BackColor", QColor(Qt::white), QColor(224, 224, 224), true);
        row("bar", "enabled", "Enabled", true, false, true);
        row("picker", "text", "Text", QStringLiteral("10/22/2012"), QStringLiteral("1/2/2003"),
            false);
        row("picker", "dateToolTipText", "DateToolTipText", QString(),
            QStringLiteral("Creation date"), false);
        row("picker", "fontName", "FontName", QStringLiteral("Arial"),
            QStringLiteral("Courier New"), false);
        row("picker", "fontSize", "FontSize", 12.0f, 14.0f, false);
        row("picker", "fontBold", "FontBold", true, false, false);
        row("picker", "fontItalic", "FontItalic", false, true, false);
        row("picker", "enabled", "Enabled", true, false, false);
        row("list", "backGroundColor", "BackGroundColor", pal.color(QPalette::Button),
            QColor(Qt::white), true);
        row("list", "foreColor", "ForeColor", pal.color(QPalette::ButtonText), QColor(Qt::blue),
            true);
        row("list", "enabled", "Enabled", true, false, true);
        row("list", "borderType", "BorderType", 0, 1, true);
        row("list", "fontItalic", "FontItalic", false, true, true);
        row("list", "fontName", "FontName", QStringLiteral("Arial"), QStringLiteral("Courier New"),
            true);
        row("list", "fontSize", "FontSize", 9.0, 20.0, true);
        row("list", "fontStrikethru", "FontStrikethru", false, true, true);
        row("list", "fontUnderline", "FontUnderline", false, true, true);
    }

    void properties()
    {
        QFETCH(QString, control);
        QFETCH(QByteArray, name);
        QFETCH(QString, key);
        QFETCH(QVariant, initial);
        QFETCH(QVariant, value);
        QFETCH(bool, saved);
        const std::unique_ptr<QWidget> w = make(control);
        QCOMPARE(w->property(name), initial);
        QSignalSpy changed(w.get(), SIGNAL(propertyChanged(QString)));
        set(w.get(), name, value);
        QCOMPARE(w->property(name), value);
        QVERIFY(!changed.isEmpty());
        QCOMPARE(changed.last().at(0).toString(), key);
        if (!saved)
            return;
        PropertyBag bag;
        asSaving(w.get(), [&](auto& c) { c.writeProperties(bag); });
        QCOMPARE(bag.read(key), value);
        const std::unique_ptr<QWidget> again = make(control);
        asSaving(again.get(), [&](auto& c) { c.readProperties(bag); });
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

    // The picker's properties are those of its date box.
    void pickerDressesItsDateBox()
    {
        DatePicker picker;
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
