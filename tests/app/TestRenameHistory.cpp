// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/JournalFolder.h"
#include "app/RenameHistory.h"
#include "platform/PosixFileSystem.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace
{

// A kept journal, as a pass in folder writes it: its plan of old>new steps,
// then the records given.
void writeJournal(const QString& file, const QString& folder, const QStringList& steps,
                  const QByteArray& records)
{
    QByteArray text = RenameJournal::header() + "\nfolder\t" + folder.toUtf8() +
                      "\nstarted\t2026-01-02T03:04:05Z\n";
    for (const QString& step : steps)
        text += "step\t" + step.section('>', 0, 0).toUtf8() + '\t' + step.section('>', 1).toUtf8() +
                '\n';
    text += "planned\t" + QByteArray::number(steps.size()) + '\n' + records;
    QFile out(JournalFolder::path() + file);
    if (!out.open(QIODevice::WriteOnly) || out.write(text) != text.size())
        qFatal("cannot write a journal");
}

} // namespace

class TestRenameHistory : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void states_data();
    void states();
    void laterPassesOnTheSameNamesAreNamed();

private:
    std::unique_ptr<QTemporaryDir> m_home;
    PosixFileSystem m_fs;
};

void TestRenameHistory::init()
{
    m_home = std::make_unique<QTemporaryDir>();
    qputenv("XDG_STATE_HOME", m_home->path().toUtf8());
    qputenv("XDG_CONFIG_HOME", m_home->path().toUtf8());
    QVERIFY(QDir().mkpath(JournalFolder::path()));
}

void TestRenameHistory::states_data()
{
    QTest::addColumn<QByteArray>("records");
    QTest::addColumn<QString>("state");
    QTest::addColumn<int>("renamed");
    QTest::newRow("finished") << QByteArray("done\t0\ndone\t1\nfinished\n") << "finished" << 2;
    QTest::newRow("stopped") << QByteArray("done\t0\nreached\t1\nstopped\n") << "stopped" << 1;
    QTest::newRow("interrupted") << QByteArray("done\t0\n") << "interrupted" << 1;
    QTest::newRow("partly undone")
        << QByteArray("done\t0\ndone\t1\nfinished\nback\t0\n") << "partly undone" << 2;
    QTest::newRow("undone") << QByteArray("done\t0\ndone\t1\nfinished\nback\t0\nback\t1\nundone\n")
                            << "undone" << 2;
}

void TestRenameHistory::states()
{
    QFETCH(QByteArray, records);
    QFETCH(QString, state);
    QFETCH(int, renamed);
    writeJournal("rename-20260102-030405-000-1.journal", "/photos/", {"a>b", "c>d"}, records);
    QStringList problems;
    const QList<RenameHistory::Pass> passes = RenameHistory::passes(m_fs, &problems);
    QCOMPARE(problems, QStringList());
    QCOMPARE(passes.size(), 1);
    QCOMPARE(RenameHistory::stateText(passes[0].state), state);
    QCOMPARE(passes[0].contents.renamedCount(), renamed);
}

// Newest first, as many as kept; a later pass in the same folder that took
// or gave up a name of an older one is found, one elsewhere is not.
void TestRenameHistory::laterPassesOnTheSameNamesAreNamed()
{
    const QByteArray done("done\t0\nfinished\n");
    writeJournal("rename-20260101-000000-000-1.journal", "/p/", {"x>y"}, done);
    writeJournal("rename-20260102-000000-000-1.journal", "/p/", {"a>b"}, done);
    writeJournal("rename-20260103-000000-000-1.journal", "/q/", {"b>c"}, done);
    writeJournal("rename-20260104-000000-000-1.journal", "/p/", {"e>f"}, done);
    writeJournal("rename-20260105-000000-000-1.journal", "/p/", {"b>c"}, done);
    writeJournal("rename-20260106-000000-000-1.journal", "/p/", {"z>a"}, done);
    QFile broken(JournalFolder::path() + "rename-20260107-000000-000-1.journal");
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write("not a journal\n");
    broken.close();
    QVERIFY(JournalFolder::setKeep(6));
    QStringList problems;
    const QList<RenameHistory::Pass> passes = RenameHistory::passes(m_fs, &problems);
    QCOMPARE(problems.size(), 1);
    QStringList plans;
    for (const RenameHistory::Pass& pass : passes)
        plans << pass.contents.plan[0].from;
    QCOMPARE(plans, (QStringList{"z", "b", "e", "b", "a"}));
    QCOMPARE(RenameHistory::laterPassesTouching(passes, 4), (QList<qsizetype>{0, 1}));
    QCOMPARE(RenameHistory::laterPassesTouching(passes, 2), QList<qsizetype>());
    QCOMPARE(JournalFolder::keep(), 6);
}

QTEST_GUILESS_MAIN(TestRenameHistory)
#include "TestRenameHistory.moc"
