// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/NameForms.h"
#include "platform/NameRules.h"

#include <QTest>

class TestNameForms : public QObject
{
    Q_OBJECT
private slots:
    void ascii_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("ascii");
        QTest::newRow("Danish") << QString::fromUtf8("Ærøskøbing") << "AEroskobing";
        QTest::newRow("Chinese") << QString::fromUtf8("深圳") << "Shen Zhen";
        QTest::newRow("mixed scripts")
            << QString::fromUtf8("Café 東京.txt") << "Cafe Dong Jing.txt";
        QTest::newRow("decomposed accent") << QString::fromUtf8("e\u0301te\u0301") << "ete";
        QTest::newRow("lower-case Cyrillic stays lower") << QString::fromUtf8("москва") << "moskva";
        QTest::newRow("no ASCII form") << QString::fromUtf8("a\U0001F600b") << "a_b";
    }
    void ascii()
    {
        QFETCH(QString, text);
        QFETCH(QString, ascii);
        QCOMPARE(NameForms::ascii(text), ascii);
    }

    // The stem is cut between characters to fit 255 bytes; the extension stays.
    void fitLength_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("fitted");
        const QString accent = QStringLiteral("e") + QChar(0x301); // 3 bytes, one character
        const QString face = QString::fromUtf8("\U0001F600");      // 4 bytes, two units
        QTest::newRow("fits") << QString(255, 'a') << QString(255, 'a');
        QTest::newRow("ASCII") << QString(300, 'a') + ".txt" << QString(251, 'a') + ".txt";
        QTest::newRow("two-byte letters")
            << QString(200, QChar(0xe9)) + ".txt" << QString(125, QChar(0xe9)) + ".txt";
        QTest::newRow("letter and accent")
            << accent.repeated(100) + ".txt" << accent.repeated(83) + ".txt";
        QTest::newRow("surrogate pairs")
            << face.repeated(70) + ".txt" << face.repeated(62) + ".txt";
        QTest::newRow("extension alone too long")
            << "a." + QString(300, 'x') << "a." + QString(300, 'x');
    }
    void fitLength()
    {
        QFETCH(QString, name);
        QFETCH(QString, fitted);
        QCOMPARE(NameRules::fitLength(name), fitted);
        QVERIFY(NameRules::byteLength(fitted) <= NameRules::MaxBytes || fitted == name);
    }
};

QTEST_GUILESS_MAIN(TestNameForms)
#include "TestNameForms.moc"
