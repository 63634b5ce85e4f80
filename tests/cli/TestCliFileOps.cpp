#include "TempFolder.h"

#include <QProcess>
#include <QtTest>

using Files = QMap<QString, QByteArray>;
Q_DECLARE_METATYPE(Files)

namespace
{

struct Run {
    int status = -1;
    QString out;
    QString err;
};

// Runs quillon-cli with %F in the arguments standing for the folder.
Run runCli(QStringList arguments, const TempFolder& dir)
{
    for (QString& argument : arguments)
        argument.replace(QLatin1String("%F"), dir.path());
    QProcess p;
    p.start(QStringLiteral(QUILLON_CLI), arguments);
    p.waitForFinished(60000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

} // namespace

class TestCliFileOps : public QObject
{
    Q_OBJECT
private slots:
    void commands_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("err");    // stderr holds this
        QTest::addColumn<QString>("out");    // stdout holds this
        QTest::addColumn<QString>("notOut"); // stdout does not hold this
        QTest::addColumn<QStringList>("left");

        const QStringList all{"apple.txt", "banana.txt", "cherry.log"};
        const QString copy = "Filecopy Sourcefiles$ Sourcefiles$.bak";
        // clang-format off
        QTest::newRow("batch copies") << QStringList{"batch", "%F", "--command", copy} << 0 << ""
            << "Filecopy %Fapple.txt %Fapple.txt.bak" << "" << QStringList{"apple.txt",
               "apple.txt.bak", "banana.txt", "banana.txt.bak", "cherry.log", "cherry.log.bak"};
        QTest::newRow("batch deletes the files found by name") << QStringList{"batch", "%F",
               "--search-name", "an", "--command", "Delete Sourcefiles$"} << 0 << ""
            << "Delete %Fbanana.txt" << "apple" << QStringList{"apple.txt", "cherry.log"};
        QTest::newRow("batch without a command") << QStringList{"batch", "%F"} << 2 << "--command"
            << "" << "" << all;
        QTest::newRow("batch, lower-case command word") << QStringList{"batch", "%F", "--command",
               "delete Sourcefiles$"} << 1 << "Executable command not found..." << "" << "" << all;
        QTest::newRow("batch, bad attributes") << QStringList{"batch", "%F", "--attributes", "X",
               "--command", "SetFileAttributes x"} << 2 << "--attributes" << "" << "" << all;
        QTest::newRow("list by content") << QStringList{"list", "%F", "--search-content", "pip"}
            << 0 << "" << "apple.txt" << "banana" << all;
        QTest::newRow("content search finds nothing") << QStringList{"list", "%F",
               "--search-content", "absent"} << 1 << "No files found..." << "" << "apple" << all;
        QTest::newRow("shred refuses without --yes") << QStringList{"shred", "%F", "--all"} << 2
            << "--yes" << "" << "" << all;
        QTest::newRow("shred needs --all or --position") << QStringList{"shred", "%F", "--yes"}
            << 2 << "--position" << "" << "" << all;
        QTest::newRow("shred all") << QStringList{"shred", "%F", "--all", "--yes"} << 0 << ""
            << "Shredding Done" << "" << QStringList{};
        QTest::newRow("shred the one file found") << QStringList{"shred", "%F", "--search-name",
               "cherry", "--position", "1", "--yes"} << 0 << "" << "" << ""
            << QStringList{"apple.txt", "banana.txt"};
        QTest::newRow("shred position past the list") << QStringList{"shred", "%F", "--position",
               "4", "--yes"} << 2 << "position 4" << "" << "" << all;
        QTest::newRow("shred nothing when the search finds nothing") << QStringList{"shred", "%F",
               "--all", "--yes", "--search-content", "absent"} << 1 << "No files found..." << ""
            << "Shredding" << all;
        QTest::newRow("shred nothing for an empty search text") << QStringList{"shred", "%F",
               "--all", "--yes", "--search-content", ""} << 2 << "--search-content" << "" << ""
            << all;
        // clang-format on
    }

    void commands()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, err);
        QFETCH(QString, out);
        QFETCH(QString, notOut);
        QFETCH(QStringList, left);
        TempFolder dir;
        QVERIFY(dir.write(QStringLiteral("apple.txt"), "pippin"));
        QVERIFY(dir.write(QStringLiteral("banana.txt"), "cavendish"));
        QVERIFY(dir.write(QStringLiteral("cherry.log"), "morello"));

        const Run run = runCli(arguments, dir);

        QCOMPARE(run.status, status);
        QVERIFY2(run.err.contains(err), qPrintable(run.err));
        if (err.isEmpty())
            QCOMPARE(run.err, QString());
        QVERIFY2(run.out.contains(QString(out).replace(QLatin1String("%F"), dir.path())),
                 qPrintable(run.out));
        if (!notOut.isEmpty())
            QVERIFY2(!run.out.contains(notOut), qPrintable(run.out));
        QCOMPARE(dir.names(), left);
        if (left.contains(QStringLiteral("apple.txt")))
            QCOMPARE(dir.read(QStringLiteral("apple.txt")), QByteArray("pippin"));
    }

    void batchNamesNeverReachAShell()
    {
        TempFolder dir;
        const QStringList names{"x; touch PWNED", "$(touch PWNED)", "`touch PWNED`"};
        for (const QString& name : names)
            QVERIFY(dir.write(name, "x"));
        const Run run =
            runCli({QStringLiteral("batch"), QStringLiteral("%F"), QStringLiteral("--command"),
                    QStringLiteral("touch Sourcefiles$-seen")},
                   dir);
        QCOMPARE(run.status, 0);
        for (const QString& name : names)
            QTRY_VERIFY(dir.exists(name + QStringLiteral("-seen")));
        QTest::qWait(200);
        QCOMPARE(dir.names().size(), 6);
    }
};

QTEST_GUILESS_MAIN(TestCliFileOps)
#include "TestCliFileOps.moc"
