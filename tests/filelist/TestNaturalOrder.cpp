// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "filelist/NaturalOrder.h"

#include <QTest>

class TestNaturalOrder : public QObject
{
    Q_OBJECT
private slots:
    void order_data()
    {
        QTest::addColumn<QStringList>("expected"); // given to the sort reversed
        QTest::newRow("numbers by value, case aside")
            << QStringList{"A1", "a01", "a1", "a2", "a10", "B", "b3"};
        QTest::newRow("beyond 64 bits")
            << QStringList{"n9", "n99999999999999999999", "n100000000000000000000"};
        QTest::newRow("letters beyond ASCII after it, folded")
            << QStringList{"e3", "z", QStringLiteral("\u00e91"), QStringLiteral("\u00c92")};
        QTest::newRow("text against a digit run") << QStringList{"x-1", "x1", "x1a", "xa"};
    }

    void order()
    {
        QFETCH(QStringList, expected);
        QStringList given = expected;
        std::reverse(given.begin(), given.end());
        std::vector<QStringView> names(given.begin(), given.end());
        QStringList sorted;
        for (qint32 r : NaturalOrder::sorted(names))
            sorted << given[r];
        QCOMPARE(sorted, expected);
    }
};

QTEST_GUILESS_MAIN(TestNaturalOrder)
#include "TestNaturalOrder.moc"
