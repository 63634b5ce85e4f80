#include "filelist/FileListModel.h"

#include <QSignalSpy>
#include <QTest>

#include <stdexcept>

class TestFileListModel : public QObject
{
    Q_OBJECT
private slots:
    void loadsRowTexts()
    {
        FileListModel model;
        QStringList rows{QStringLiteral("d1|d2|a.txt||1,024"), QStringLiteral("")};
        QSignalSpy reloaded(&model, &FileListModel::reloaded);
        model.setRows(rows);
        QCOMPARE(reloaded.count(), 1);
        QCOMPARE(model.lastIndex(), 1);
        QCOMPARE(model.currentNameAt(0), QStringLiteral("a.txt"));
        QCOMPARE(model.newNameAt(0), QString());
        QCOMPARE(model.sizeText(0).toString(), QStringLiteral("1,024"));
        QCOMPARE(model.spareText(0).toString(), QString());
        QCOMPARE(model.byteSize(0), 1024);
        QCOMPARE(model.commaText(0), QStringLiteral("d1,d2,a.txt,,1,024"));
        // The empty row is one record with every text empty.
        QCOMPARE(model.recordNumber(1), 2);
        QCOMPARE(model.commaText(1), QStringLiteral(",,,,"));
        QCOMPARE(model.byteSize(1), 0);
        // The row texts are changed in place as the format prescribes.
        QCOMPARE(rows[1], QStringLiteral("||||||"));
    }

    void extraFieldsAreIgnored()
    {
        FileListModel model;
        QStringList rows{QStringLiteral("a|b|c|d|e|f|g|h")};
        model.setRows(rows);
        QCOMPARE(model.newNameOf(0), QStringLiteral("d"));
        QCOMPARE(model.spareText(0).toString(), QStringLiteral("f"));
    }

    void positionsGoThroughDisplayOrder()
    {
        FileListModel model;
        QStringList rows;
        for (int i = 0; i < 10; ++i)
            rows << QStringLiteral("||f%1|n%1|%1").arg(i);
        model.setRows(rows);
        QCOMPARE(model.lastIndexText(), QStringLiteral("9"));
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
        QStringList rows{QStringLiteral("d1|d2|a||1"), QStringLiteral("d1|d2|b||2")};
        model.setRows(rows);
        model.setSelected(1, true);
        model.setCreationDateText(0, QStringLiteral("1/1/2020"));
        std::swap(model.displayOrder()[0], model.displayOrder()[1]);
        QCOMPARE(model.selectedNumber(1), 2);
        QCOMPARE(model.selectedNumber(0), -1);
        QCOMPARE(model.creationDateText(0), QStringLiteral("1/1/2020"));
        QCOMPARE(model.creationDateText(1), QStringLiteral("d1"));
        QStringList again{QStringLiteral("e1|e2|c||3")};
        model.setRows(again);
        QCOMPARE(model.lastIndex(), 0);
        QCOMPARE(model.creationDateText(0), QStringLiteral("e1"));
        QCOMPARE(model.selectedNumber(0), -1);
        QCOMPARE(model.currentNameAt(0), QStringLiteral("c"));
    }

    void sizeBeyond32BitsIsAnOverflow()
    {
        FileListModel model;
        QStringList rows{QStringLiteral("||big||3,000,000,000"),
                         QStringLiteral("||max||2,147,483,647")};
        model.setRows(rows);
        QVERIFY_THROWS_EXCEPTION(std::overflow_error, model.byteSize(0));
        QCOMPARE(model.byteSize(1), 2147483647);
    }

    void structuredRowsKeepBars()
    {
        FileListModel model;
        FileListModel::Rows rows;
        rows.append(u"d1", u"d2", u"a|b.txt", u"", u"5");
        model.setRows(std::move(rows));
        QCOMPARE(model.currentNameAt(0), QStringLiteral("a|b.txt"));
        QCOMPARE(model.sizeText(0).toString(), QStringLiteral("5"));
    }
};

QTEST_GUILESS_MAIN(TestFileListModel)
#include "TestFileListModel.moc"
