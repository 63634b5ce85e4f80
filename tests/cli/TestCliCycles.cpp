// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliRun.h"
#include "TempFolder.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QTest>
#include <QThread>

namespace
{

// Each listed file holds its own first name, so where it went shows.
QStringList contents(const TempFolder& dir)
{
    QStringList out;
    for (const QString& name : dir.names())
        out << name + QLatin1Char('=') + QString::fromUtf8(dir.read(name));
    return out;
}

} // namespace

class TestCliCycles : public QObject
{
    Q_OBJECT
private slots:
    void cycles_data()
    {
        QTest::addColumn<QStringList>("files"); // *.txt listed, in natural order
        QTest::addColumn<QStringList>("newNames");
        QTest::addColumn<bool>("cycles");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<QString>("dryRun"); // a line --dry-run prints
        const QStringList ab{"a.txt", "b.txt"};
        const QStringList ba{"b.txt", "a.txt"};
        QTest::newRow("swap, as before")
            << ab << ba << false << QStringList{"a.txt=a.txt", "b.txt=b.txt"} << "";
        QTest::newRow("swap") << ab << ba << true << QStringList{"a.txt=b.txt", "b.txt=a.txt"}
                              << "cycle: a.txt -> b.txt -> a.txt";
        QTest::newRow("shift") << QStringList{"f1.txt", "f2.txt", "f3.txt"}
                               << QStringList{"f2.txt", "f3.txt", "f4.txt"} << true
                               << QStringList{"f2.txt=f1.txt", "f3.txt=f2.txt", "f4.txt=f3.txt"}
                               << "f1.txt -> f2.txt";
        QTest::newRow("three round, one into it")
            << QStringList{"a.txt", "b.txt", "c.txt", "d.txt"}
            << QStringList{"b.txt", "c.txt", "a.txt", "d.txt"} << true
            << QStringList{"a.txt=c.txt", "b.txt=a.txt", "c.txt=b.txt", "d.txt=d.txt"}
            << "cycle: a.txt -> b.txt -> c.txt -> a.txt";
        // b.txt would take keep.dat, which is not listed: b.txt stays, so
        // a.txt that waits for it stays too; the swap beside them is done.
        QTest::newRow("cycle blocked by an unlisted file")
            << QStringList{"a.txt", "b.txt", "c.txt", "d.txt"}
            << QStringList{"b.txt", "keep.dat", "d.txt", "c.txt"} << true
            << QStringList{"a.txt=a.txt", "b.txt=b.txt", "c.txt=d.txt", "d.txt=c.txt"}
            << "taken: a.txt -> b.txt";
    }

    // The pass with and without --cycles, what --dry-run shows of it, and
    // the undo giving every file its name back.
    void cycles()
    {
        QFETCH(QStringList, files);
        QFETCH(QStringList, newNames);
        QFETCH(bool, cycles);
        QFETCH(QStringList, after);
        QFETCH(QString, dryRun);
        TempFolder dir, records;
        for (const QString& name : files + QStringList{"keep.dat"})
            QVERIFY(dir.write(name, name.toUtf8()));
        const QStringList before = contents(dir);
        after << "keep.dat=keep.dat";
        after.sort();
        QVERIFY(records.write("names", newNames.join(QStringLiteral("\r\n")).toUtf8() + "\r\n"));
        QStringList args{"rename",      dir.path(),         "--filter", "*.txt",
                         "--sort",      "natural",          "--paste",  records.file("names"),
                         "--undo-file", records.file("rec")};
        if (cycles)
            args << "--cycles";
        CliRun r = runCli(args + QStringList{"--dry-run"});
        QVERIFY2(r.out.split(QLatin1Char('\n')).contains(dryRun) || dryRun.isEmpty(),
                 qPrintable(r.out));
        QCOMPARE(contents(dir), before);
        r = runCli(args);
        // A pass that leaves a file it was to rename names it, status 1.
        const bool left = after.contains("a.txt=a.txt");
        QCOMPARE(r.status, left ? 1 : 0);
        QCOMPARE(r.err.contains("not renamed:\na.txt: "), left);
        QCOMPARE(contents(dir), after);
        QCOMPARE(runCli({"undo", "--undo-file", records.file("rec")}).status, 0);
        QCOMPARE(contents(dir), before);
        // Undone again, a swap through a temporary name would swap again.
        QCOMPARE(runCli({"undo", "--undo-file", records.file("rec")}).status, 1);
        QCOMPARE(contents(dir), before);
    }

    // A shift of 10,000 files, the last onto the first's name, killed at
    // random instants: the journal left behind always gives every file its
    // name back (and so the next round starts from the same folder), the
    // file in transit under its temporary name included.
    void killedShiftIsUndone()
    {
        const int count = 10000;
        QRandomGenerator random(17);
        qint64 fullRun = 0;
        TempFolder dir, records;
        QStringList names;
        for (int i = 0; i < count; ++i) {
            names << QStringLiteral("f%1").arg(i, 5, 10, QLatin1Char('0'));
            dir.write(names.last(), names.last().toLatin1());
        }
        QVERIFY(
            records.write("names", (names.mid(1) << names.first()).join("\r\n").toUtf8() + "\r\n"));
        const QStringList before = contents(dir);
        for (int round = 0; round <= 10; ++round) {
            // A pass killed before its journal is written renamed nothing.
            QFile::remove(records.file("rec"));
            QProcess p;
            p.start(QStringLiteral(QUILLON_CLI),
                    {"rename", dir.path(), "--sort", "natural", "--paste", records.file("names"),
                     "--cycles", "--undo-file", records.file("rec")});
            QElapsedTimer t;
            t.start();
            // Round 0 runs to the end and measures; the others are killed.
            const qint64 killAt = round ? qint64(random.bounded(fullRun * 1.1)) : -1;
            if (killAt >= 0) {
                QThread::usleep(killAt);
                p.kill();
            }
            p.waitForFinished(60000);
            if (round == 0) {
                fullRun = t.nsecsElapsed() / 1000;
                QCOMPARE(dir.read("f00001"), QByteArray("f00000"));
            }
            if (QFile::exists(records.file("rec")))
                runCli({"undo", "--journal", records.file("rec")});
            QVERIFY2(
                contents(dir) == before,
                qPrintable(QStringLiteral("killed after %1 us of %2").arg(killAt).arg(fullRun)));
        }
    }

    void killedUndoIsFinished_data()
    {
        QTest::addColumn<bool>("swaps"); // else every file to a new name
        QTest::newRow("new names") << false;
        QTest::newRow("swaps through temporary names") << true;
    }

    // The undo itself killed at random instants, then undone again: every
    // file gets its own name back, and a swap is never made twice.
    void killedUndoIsFinished()
    {
        QFETCH(bool, swaps);
        const int count = 3000;
        QRandomGenerator random(29);
        TempFolder dir, records;
        QStringList names, pasted;
        for (int i = 0; i < count; ++i) {
            names << QStringLiteral("f%1").arg(i, 5, 10, QLatin1Char('0'));
            dir.write(names.last(), names.last().toLatin1());
        }
        for (int i = 0; i < count; ++i)
            pasted << (swaps ? names[i ^ 1] : QStringLiteral("N%1").arg(i));
        QVERIFY(records.write("names", pasted.join("\r\n").toUtf8() + "\r\n"));
        const QStringList before = contents(dir);
        qint64 fullUndo = 0;
        for (int round = 0; round <= 6; ++round) {
            QFile::remove(records.file("rec"));
            QCOMPARE(runCli({"rename", dir.path(), "--sort", "natural", "--paste",
                             records.file("names"), "--cycles", "--undo-file", records.file("rec")})
                         .status,
                     0);
            QVERIFY(contents(dir) != before);
            QProcess undo;
            undo.start(QStringLiteral(QUILLON_CLI), {"undo", "--journal", records.file("rec")});
            QElapsedTimer t;
            t.start();
            // Round 0 runs to the end and measures; the others are killed.
            const qint64 killAt = round ? qint64(random.bounded(fullUndo * 1.1)) : -1;
            if (killAt >= 0) {
                QThread::usleep(killAt);
                undo.kill();
            }
            undo.waitForFinished(60000);
            if (round == 0)
                fullUndo = t.nsecsElapsed() / 1000;
            else
                runCli({"undo", "--journal", records.file("rec")});
            QVERIFY2(
                contents(dir) == before,
                qPrintable(QStringLiteral("killed after %1 us of %2").arg(killAt).arg(fullUndo)));
        }
    }
};

QTEST_GUILESS_MAIN(TestCliCycles)
#include "TestCliCycles.moc"
