#include "app/NewNameReplace.h"
#include "filelist/FileListModel.h"

#include "PromptRecorder.h"

#include <QTest>

#include <algorithm>

class TestReplaceChange : public QObject
{
    Q_OBJECT
private slots:
    void replace_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("with");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QString>("message");
        const QString l250(250, QLatin1Char('x'));
        QTest::newRow("letter case ignored")
            << QStringList{"IMG_001.jpg", "img_002.jpg"} << "img"
            << "Photo" << QStringList{"Photo_001.jpg", "Photo_002.jpg"} << QString();
        QTest::newRow("record number")
            << QStringList{"a", "b", "c", "d", "IMG"} << "IMG"
            << "holiday#" << QStringList{"a", "b", "c", "d", "holiday5"} << QString();
        QTest::newRow("empty what numbers #")
            << QStringList{"a#", "b", "c#d#"} << ""
            << "zz" << QStringList{"a1", "b", "c3d3"} << QString();
        QTest::newRow("non-ascii")
            << QStringList{QString::fromUtf8("ÉTÉ.txt")} << QString::fromUtf8("été") << "summer"
            << QStringList{"summer.txt"} << QString();
        QTest::newRow("too long stops")
            << QStringList{"ab", l250 + "ab", "ab"} << "ab"
            << "abcde" << QStringList{"abcde", l250 + "abcde", "ab"}
            << "Stopping File - 1 " + l250 + "abcde name is too long...";
        QTest::newRow("254 is fine") << QStringList{l250 + "ab"} << "ab"
                                     << "abcd" << QStringList{l250 + "abcd"} << QString();
        QTest::newRow("empty record") << QStringList{""} << "x"
                                      << "y" << QStringList{""} << QString();
    }

    void replace()
    {
        QFETCH(QStringList, names);
        QFETCH(QString, what);
        QFETCH(QString, with);
        QFETCH(QStringList, expected);
        QFETCH(QString, message);
        FileListModel model;
        QStringList rows;
        for (const QString& name : names)
            rows << QStringLiteral("||f|") + name;
        model.setRows(rows);
        // Shown in reverse order: numbering and stopping follow the records.
        std::reverse(model.displayOrder().begin(), model.displayOrder().end());
        PromptRecorder prompts;
        QCOMPARE(NewNameReplace::replaceInNewNames(model, what, with, prompts), message.isEmpty());
        QCOMPARE(prompts.messages, message.isEmpty() ? QStringList() : QStringList{message});
        for (int r = 0; r < names.size(); ++r)
            QCOMPARE(model.newNameOf(r), expected[r]);
    }
};

QTEST_GUILESS_MAIN(TestReplaceChange)
#include "TestReplaceChange.moc"
