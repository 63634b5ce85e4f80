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
        model.AddArray(rows);
        QCOMPARE(reloaded.count(), 1);
        QCOMPARE(model.LastIndex(), 1);
        QCOMPARE(model.SourceName(0), QStringLiteral("a.txt"));
        QCOMPARE(model.DesName(0), QString());
        QCOMPARE(model.sizeText(0).toString(), QStringLiteral("1,024"));
        QCOMPARE(model.spareText(0).toString(), QString());
        QCOMPARE(model.FileByteSize(0), 1024);
        QCOMPARE(model.GetText(0), QStringLiteral("d1,d2,a.txt,,1,024"));
        // The empty row is one record with every text empty.
        QCOMPARE(model.GetContentNo(1), 2);
        QCOMPARE(model.GetText(1), QStringLiteral(",,,,"));
        QCOMPARE(model.FileByteSize(1), 0);
        // The row texts are changed in place as the format prescribes.
        QCOMPARE(rows[1], QStringLiteral("||||||"));
    }

    void extraFieldsAreIgnored()
    {
        FileListModel model;
        QStringList rows{QStringLiteral("a|b|c|d|e|f|g|h")};
        model.AddArray(rows);
        QCOMPARE(model.desNameOf(0), QStringLiteral("d"));
        QCOMPARE(model.spareText(0).toString(), QStringLiteral("f"));
    }

    void positionsGoThroughDisplayOrder()
    {
        FileListModel model;
        QStringList rows;
        for (int i = 0; i < 10; ++i)
            rows << QStringLiteral("||f%1|n%1|%1").arg(i);
        model.AddArray(rows);
        QCOMPARE(model.ListCount(), QStringLiteral("9"));
        std::swap(model.displayOrder()[0], model.displayOrder()[5]);
        QCOMPARE(model.SourceName(0), QStringLiteral("f5"));
        QCOMPARE(model.GetContentNo(0), 1);
        model.DesChange(0, QStringLiteral("new"));
        QCOMPARE(model.desNameOf(5), QStringLiteral("new"));
        QCOMPARE(model.SourceName(10), QString());
        QCOMPARE(model.DesName(10), QString());
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, model.DesChange(10, QStringLiteral("x")));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, model.GetContentNo(-1));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, model.FileDateChange1(10, QString()));
    }

    void reloadDiscardsEverything()
    {
        FileListModel model;
        QStringList rows{QStringLiteral("d1|d2|a||1"), QStringLiteral("d1|d2|b||2")};
        model.AddArray(rows);
        model.setSelected(1, true);
        model.FileDateChange1(0, QStringLiteral("1/1/2020"));
        std::swap(model.displayOrder()[0], model.displayOrder()[1]);
        QCOMPARE(model.PrintSelection(1), 2);
        QCOMPARE(model.PrintSelection(0), -1);
        QCOMPARE(model.dateText1(0), QStringLiteral("1/1/2020"));
        QCOMPARE(model.dateText1(1), QStringLiteral("d1"));
        QStringList again{QStringLiteral("e1|e2|c||3")};
        model.AddArray(again);
        QCOMPARE(model.LastIndex(), 0);
        QCOMPARE(model.dateText1(0), QStringLiteral("e1"));
        QCOMPARE(model.PrintSelection(0), -1);
        QCOMPARE(model.SourceName(0), QStringLiteral("c"));
    }

    void sizeBeyond32BitsIsAnOverflow()
    {
        FileListModel model;
        QStringList rows{QStringLiteral("||big||3,000,000,000"),
                         QStringLiteral("||max||2,147,483,647")};
        model.AddArray(rows);
        QVERIFY_THROWS_EXCEPTION(std::overflow_error, model.FileByteSize(0));
        QCOMPARE(model.FileByteSize(1), 2147483647);
    }

    void structuredRowsKeepBars()
    {
        FileListModel model;
        FileListModel::Rows rows;
        rows.append(u"d1", u"d2", u"a|b.txt", u"", u"5");
        model.AddArray(std::move(rows));
        QCOMPARE(model.SourceName(0), QStringLiteral("a|b.txt"));
        QCOMPARE(model.sizeText(0).toString(), QStringLiteral("5"));
    }

    void nameExt_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("stem");
        QTest::newRow("two dots") << "a.b.txt"
                                  << "a.b";
        QTest::newRow("archive") << "archive.tar.gz"
                                 << "archive.tar";
        QTest::newRow("no dot") << "noext"
                                << "noext";
        QTest::newRow("leading dot only") << ".profile"
                                          << "";
        QTest::newRow("empty") << ""
                               << "";
    }

    void nameExt()
    {
        QFETCH(QString, name);
        QFETCH(QString, stem);
        QCOMPARE(FileListModel::NameExt(name), stem);
    }
};

QTEST_GUILESS_MAIN(TestFileListModel)
#include "TestFileListModel.moc"
