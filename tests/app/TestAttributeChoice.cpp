// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AttributeChoice.h"

#include <QTest>

class TestAttributeChoice : public QObject
{
    Q_OBJECT
private slots:
    // A script of clicks ("m" + box: mouse down, then the box toggles) and
    // keyboard toggles ("k" + box); then the boxes and both values.
    void boxes_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("checked"); // boxes 0..3 as 0/1
        QTest::addColumn<int>("renameValue");
        QTest::addColumn<int>("batchValue");
        const auto row = [](const char* name, const char* script, const char* checked, int rename,
                            int batch) {
            QTest::newRow(name) << script << checked << rename << batch;
        };
        row("none", "", "0000", -1, 0);
        row("hidden", "m2", "0010", 2, 2);
        row("readonly system", "m1 m3", "0101", 5, 5);
        row("normal", "m0", "1000", 0, 0);
        row("normal clears hidden", "m2 m0", "1000", 0, 0);
        row("hidden clears normal", "m2 m0 m2", "0010", 2, 2);
        row("keyboard clears nothing", "m0 k2 k1", "1110", 3, 3);
        row("click unchecks", "m2 m2", "0000", -1, 0);
    }

    void boxes()
    {
        QFETCH(QString, script);
        QFETCH(int, renameValue);
        QFETCH(int, batchValue);
        AttributeChoice choice;
        for (const QString& step : script.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const int box = step.mid(1).toInt();
            if (step.startsWith(QLatin1Char('m')))
                choice.mouseDown(box);
            choice.setChecked(box, !choice.isChecked(box));
        }
        QString shown;
        for (int box = 0; box < 4; ++box)
            shown += choice.isChecked(box) ? QLatin1Char('1') : QLatin1Char('0');
        QTEST(shown, "checked");
        QCOMPARE(choice.renameValue(), renameValue);
        QCOMPARE(choice.batchValue(), batchValue);
    }
};

QTEST_GUILESS_MAIN(TestAttributeChoice)
#include "TestAttributeChoice.moc"
