// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "filelist/FileListModel.h"
#include "platform/SplitWork.h"

#include <QTest>

#include <algorithm>
#include <stdexcept>

class TestFileListModel : public QObject
{
    Q_OBJECT
private slots:
    void positionsGoThroughDisplayOrder()
    {
        FileListModel model;
        FileListModel::Rows rows;
        for (int i = 0; i < 10; ++i)
            rows.append(u"", u"", QStringLiteral("f%1").arg(i), QStringLiteral("n%1").arg(i),
                        QString::number(i));
        model.setRows(std::move(rows));
        std::swap(model.displayOrder()[0], model.displayOrder()[5]);
        QCOMPARE(model.currentNameAt(0), QStringLiteral("f5"));
        QCOMPARE(model.recordNumber(0), 1);
        model.setNewNameAt(0, QStringLiteral("new"));
        QCOMPARE(model.newNameOf(5), QStringLiteral("new"));
        QCOMPARE(model.currentNameAt(10), QString());
        QCOMPARE(model.newNameAt(10), QString());
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, model.setNewNameAt(10, QStringLiteral("x")));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, model.recordNumber(-1));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, model.setCreationDateText(10, QString()));
    }

    void reloadDiscardsEverything()
    {
        FileListModel model;
        FileListModel::Rows rows;
        rows.append(u"d1", u"d2", u"a", u"", u"1");
        rows.append(u"d1", u"d2", u"b", u"", u"2");
        model.setRows(std::move(rows));
        model.setSelected(0, true);
        model.setCreationDateText(0, QStringLiteral("1/1/2020"));
        std::swap(model.displayOrder()[0], model.displayOrder()[1]);
        QVERIFY(model.selected(0));
        QCOMPARE(model.creationDateText(0), QStringLiteral("1/1/2020"));
        QCOMPARE(model.creationDateText(1), QStringLiteral("d1"));
        FileListModel::Rows again;
        again.append(u"e1", u"e2", u"c", u"", u"3");
        model.setRows(std::move(again));
        QCOMPARE(model.lastIndex(), 0);
        QCOMPARE(model.creationDateText(0), QStringLiteral("e1"));
        QVERIFY(!model.selected(0));
        QCOMPARE(model.currentNameAt(0), QStringLiteral("c"));
    }

    // New names share one text: a longer name moves to its end, the unused
    // part is dropped now and then, and a whole run is made on every core.
    // Every name must still read back as it was set, whatever the order.
    void newNamesReadBack_data()
    {
        QTest::addColumn<int>("made"); // positions set at once by setNewNames
        QTest::addColumn<int>("parts");
        QTest::newRow("one by one") << 0 << 1;
        QTest::newRow("all, one core") << 20000 << 1;
        QTest::newRow("all, two cores") << 20000 << 2;
        QTest::newRow("the first part, two cores") << 12000 << 2;
    }
    void newNamesReadBack()
    {
        QFETCH(int, made);
        QFETCH(int, parts);
        FileListModel model;
        FileListModel::Rows rows;
        for (int i = 0; i < 20000; ++i)
            rows.appendFile(QString::number(i), 0, 0, 0, true);
        model.setRows(std::move(rows));
        std::reverse(model.displayOrder().begin(), model.displayOrder().end());
        auto name = [](int round, int k) {
            return QString(30 + 20 * round, QChar(u'a' + round)) + QString::number(k);
        };
        // Rounds of longer names leave more and more of the text unused.
        for (int round = 0; round < 3; ++round)
            for (int k = 0; k < 20000; ++k)
                model.setNewNameAt(k, name(round, k));
        SplitWork::setMaxParts(unsigned(parts));
        model.setNewNames(made, [&] {
            return [&](int k, QStringView current, QString& out) {
                out += name(3, k);
                out += current;
            };
        });
        SplitWork::setMaxParts(0);
        for (int k = 0; k < 20000; ++k) {
            const QString expected =
                k < made ? name(3, k) + QString::number(19999 - k) : name(2, k);
            QCOMPARE(model.newNameAt(k), expected);
        }
    }

    void structuredRowsKeepBars()
    {
        FileListModel model;
        FileListModel::Rows rows;
        rows.append(u"d1", u"d2", u"a|b.txt", u"", u"5");
        model.setRows(std::move(rows));
        QCOMPARE(model.currentNameAt(0), QStringLiteral("a|b.txt"));
        QCOMPARE(model.sizeText(0), QStringLiteral("5"));
    }
};

QTEST_GUILESS_MAIN(TestFileListModel)
#include "TestFileListModel.moc"
