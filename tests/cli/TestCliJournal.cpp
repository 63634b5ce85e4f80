#include "CliRun.h"
#include "TempFolder.h"

#include "app/JournalFolder.h"
#include "platform/FileNameCodec.h"

#include <QRandomGenerator>
#include <QtTest>

#include <csignal>

class TestCliJournal : public QObject
{
    Q_OBJECT
private slots:
    void killedPassIsUndoneFromItsJournal();
    void keptJournalsUndoAChain();
    void lastIsTheNewestPassWhereverItsJournal();
    void undoFileRefused_data();
    void undoFileRefused();
};

// quillon-cli killed (SIGKILL) at a random moment of a pass over 20,000
// files; the undo from the journal then brings every name back. The rounds
// share one folder, so every round starts from the previous undo.
void TestCliJournal::killedPassIsUndoneFromItsJournal()
{
    TempFolder dir, records;
    QStringList names;
    for (int i = 0; i < 20000; ++i) {
        names << QStringLiteral("f%1").arg(i, 5, 10, QLatin1Char('0'));
        QVERIFY(dir.write(names.last(), names.last().toLatin1()));
    }
    int interrupted = 0;
    for (int round = 0; round < 10; ++round) {
        const QString journal = records.file(QString::number(round));
        QProcess pass;
        pass.start(cliProgram(), {"rename", dir.path(), "--pattern", "N#", "--undo-file", journal});
        QVERIFY(pass.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(journal) || pass.state() == QProcess::NotRunning,
                                 60000);
        QTest::qWait(QRandomGenerator::global()->bounded(300));
        // A pass that already ended has no process id, and kill(0) would
        // take down the whole process group (the test runner with it).
        if (const qint64 pid = pass.processId(); pid > 0)
            ::kill(pid_t(pid), SIGKILL);
        pass.waitForFinished();
        if (dir.names() != names)
            ++interrupted;
        const CliRun undo = runCli({"undo", "--journal", journal});
        QCOMPARE(undo.err, QString());
        QCOMPARE(undo.status, 0);
        QCOMPARE(dir.names(), names);
    }
    for (const QString& name : names)
        QCOMPARE(dir.read(name), name.toLatin1());
    qInfo("%d of 10 passes were killed after their first rename", interrupted);
}

// Journals kept with the window's (no --undo-file): --list shows them,
// --last undoes the newest, chain b -> c, a -> b included.
void TestCliJournal::keptJournalsUndoAChain()
{
    TempFolder dir, texts;
    QVERIFY(dir.write("a", "A"));
    QVERIFY(dir.write("b", "B"));
    QVERIFY(texts.write("names", "c\r\nb\r\n"));
    const CliRun chain = runCli(
        {"rename", dir.path(), "--sort", "name", "--sort", "name", "--paste", texts.file("names")});
    QCOMPARE(chain.status, 0);
    QCOMPARE(dir.names(), (QStringList{"b", "c"}));
    QCOMPARE(dir.read("c"), QByteArray("B")); // b -> c, then a -> b
    CliRun r = runCli({"undo", "--list"});
    QCOMPARE(r.status, 0);
    QVERIFY2(r.out.contains(QStringLiteral("\t%1\t2 renamed\t").arg(dir.path())),
             qPrintable(r.out));
    // Cut before its end, as a kill leaves it: the recorded steps are a floor.
    QFile kept(JournalFolder::journals().constLast());
    QVERIFY(kept.resize(kept.size() - qstrlen("finished\n")));
    r = runCli({"undo", "--list"});
    QVERIFY2(r.out.contains("\tat least 2 renamed, interrupted\t"), qPrintable(r.out));
    r = runCli({"undo", "--last"});
    QCOMPARE(r.status, 0);
    QCOMPARE(dir.names(), (QStringList{"a", "b"}));
    QCOMPARE(dir.read("a"), QByteArray("A"));
}

// A pass made with --undo-file is in the kept list by its path, so --last
// undoes it and says so; its undo file may then take a new pass.
void TestCliJournal::lastIsTheNewestPassWhereverItsJournal()
{
    TempFolder kept, own, records;
    QVERIFY(kept.write("a") && own.write("b"));
    const QString undoFile = records.file("b.undo");
    QCOMPARE(runCli({"rename", kept.path(), "--pattern", "K#"}).status, 0);
    QCOMPARE(runCli({"rename", own.path(), "--pattern", "M#", "--undo-file", undoFile}).status, 0);
    CliRun r = runCli({"undo", "--list"});
    QVERIFY2(r.out.endsWith(QStringLiteral("\t%1\t1 renamed\t%2\n").arg(own.path(), undoFile)),
             qPrintable(r.out));
    r = runCli({"undo", "--last"});
    QCOMPARE(r.status, 0);
    QVERIFY2(r.err.startsWith("quillon-cli: undoing the pass of ") &&
                 r.err.endsWith(QStringLiteral(" in %1: 1 renamed\n").arg(own.path())),
             qPrintable(r.err));
    QCOMPARE(own.names(), QStringList{"b"});
    QCOMPARE(kept.names(), QStringList{"K1"});
    r = runCli({"rename", own.path(), "--pattern", "M#", "--undo-file", undoFile});
    QCOMPARE(r.status, 0);
    QCOMPARE(own.names(), QStringList{"M1"});
}

void TestCliJournal::undoFileRefused_data()
{
    QTest::addColumn<QString>(
        "undoFile"); // %R: records, holding "other" and "pass"; %D: the folder
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("err");
    QTest::newRow("a symbolic link") << "%Rlink" << 2 << "is a symbolic link";
    QTest::newRow("a folder that does not exist")
        << "/nonexistent/quillon/j" << 1 << "cannot write the undo record";
    QTest::newRow("a listed file") << "%Da" << 2 << "is one of the files to rename";
    QTest::newRow("a file that is no journal")
        << "%Rother" << 2 << "exists and is not an undo record";
    QTest::newRow("the journal of a pass not undone")
        << "%Rpass" << 1
        << "quillon-cli: %Rpass holds a pass that was not undone: undo it first (quillon-cli undo "
           "--undo-file %Rpass) or give --undo-file a new file\n";
}

// An undo file that cannot be written, or holds what would be lost, stops
// the pass before any rename; a link is never written through, and an
// earlier pass stays undoable.
void TestCliJournal::undoFileRefused()
{
    QFETCH(QString, undoFile);
    QFETCH(int, status);
    QFETCH(QString, err);
    TempFolder dir, records, earlier;
    QVERIFY(dir.write("a", "A") && earlier.write("e", "E"));
    QVERIFY(records.write("other", "precious"));
    QVERIFY(QFile::link(records.file("other"), records.file("link")));
    const QString pass = records.file("pass");
    QCOMPARE(runCli({"rename", earlier.path(), "--pattern", "E#", "--undo-file", pass}).status, 0);
    for (QString* text : {&undoFile, &err}) {
        text->replace("%R", records.path());
        text->replace("%D", dir.path());
    }
    const CliRun r = runCli({"rename", dir.path(), "--pattern", "N#", "--undo-file", undoFile});
    QCOMPARE(r.status, status);
    QVERIFY2(r.err.contains(err), qPrintable(r.err));
    QCOMPARE(dir.names(), QStringList{"a"});
    QCOMPARE(records.read("other"), QByteArray("precious"));
    QCOMPARE(runCli({"undo", "--undo-file", pass}).status, 0);
    QCOMPARE(earlier.names(), QStringList{"e"});
}

QTEST_GUILESS_MAIN(TestCliJournal)
#include "TestCliJournal.moc"
