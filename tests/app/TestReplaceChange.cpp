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
        const auto row = [](const char* name, const QStringList& names, const QString& what,
                            const QString& with, const QStringList& expected,
                            const QString& message = {}) {
            QTest::newRow(name) << names << what << with << expected << message;
        };
        row("letter case ignored", {"IMG_001.jpg", "img_002.jpg"}, "img", "Photo",
            {"Photo_001.jpg", "Photo_002.jpg"});
        row("record number", {"a", "b", "c", "d", "IMG"}, "IMG", "holiday#",
            {"a", "b", "c", "d", "holiday5"});
        row("empty what numbers #", {"a#", "b", "c#d#"}, "", "zz", {"a1", "b", "c3d3"});
        row("non-ascii", {QString::fromUtf8("ÉTÉ.txt")}, QString::fromUtf8("été"), "summer",
            {"summer.txt"});
        row("too long stops", {"ab", l250 + "ab", "ab"}, "ab", "abcde",
            {"abcde", l250 + "abcde", "ab"},
            "Stopping File - 1 " + l250 + "abcde name is too long...");
        row("254 is fine", {l250 + "ab"}, "ab", "abcd", {l250 + "abcd"});
        row("empty record", {""}, "x", "y", {""});
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
