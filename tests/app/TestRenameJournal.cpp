#include "TempFolder.h"

#include "app/RenameJournal.h"
#include "platform/PosixFileSystem.h"

#include <QtTest>

using Steps = QList<RenameJournal::Step>;
Q_DECLARE_METATYPE(Steps)

class TestRenameJournal : public QObject
{
    Q_OBJECT
private slots:
    void undoRestoresEveryPassWhole_data()
    {
        QTest::addColumn<QStringList>("names"); // before the pass; each file holds its name
        QTest::addColumn<Steps>("steps");       // the renames of the pass, in order
        QTest::addColumn<int>("done");          // how many of them ran
        QTest::addColumn<bool>("recorded");     // recorded and finished, else killed unrecorded
        const Steps chain{{"b", "c"}, {"a", "b"}};
        const Steps cycle{{"a", "t"}, {"c", "a"}, {"b", "c"}, {"t", "b", true}};
        QTest::newRow("chain") << QStringList{"a", "b"} << chain << 2 << true;
        QTest::newRow("3-cycle through a temporary name")
            << QStringList{"a", "b", "c"} << cycle << 4 << true;
        QTest::newRow("chain, killed before any record")
            << QStringList{"a", "b"} << chain << 2 << false;
        QTest::newRow("cycle, killed halfway") << QStringList{"a", "b", "c"} << cycle << 2 << false;
        QTest::newRow("cycle, killed before the first rename")
            << QStringList{"a", "b", "c"} << cycle << 0 << false;
    }

    // The journal is written through its own API as the pass writes it; a kill
    // leaves the plan alone on disk, and the undo finds the renamed steps there.
    void undoRestoresEveryPassWhole()
    {
        QFETCH(QStringList, names);
        QFETCH(Steps, steps);
        QFETCH(int, done);
        QFETCH(bool, recorded);
        TempFolder dir, records;
        for (const QString& n : names)
            QVERIFY(dir.write(n, n.toUtf8()));
        PosixFileSystem fs;
        {
            RenameJournal journal;
            QCOMPARE(journal.begin(records.file("j"), dir.path(), steps), 0);
            for (int i = 0; i < done; ++i) {
                journal.before(i);
                QCOMPARE(fs.rename(dir.file(steps[i].from), dir.file(steps[i].to)), 0);
                journal.done(i);
                journal.reached(i);
            }
            if (recorded)
                QCOMPARE(journal.finish(true), 0);
        }
        RenameJournal::Contents contents;
        QString why;
        QVERIFY2(RenameJournal::read(records.read("j"), contents, why), qPrintable(why));
        QCOMPARE(contents.renamedCount(), recorded ? done : 0);
        const RenameJournal::UndoReport report = RenameJournal::undo(fs, contents);
        QCOMPARE(report.renamed, done);
        QCOMPARE(dir.names(), names);
        for (const QString& n : names)
            QCOMPARE(dir.read(n), n.toUtf8());
    }

    void undoRefusesWhatIsNotAName_data()
    {
        // %D the journal's folder, %O a folder beside it; "moved" was renamed
        // from "kept" by the pass, the other pair is the edited one.
        QTest::addColumn<QByteArray>("pair");
        QTest::addColumn<QString>("refused");
        QTest::newRow("outside") << QByteArray("%O/secret\tmoved2") << "%O/secret -> moved2";
        QTest::newRow("relative") << QByteArray("sub/secret\tmoved2") << "sub/secret -> moved2";
        QTest::newRow("..") << QByteArray("..\tmoved2") << ".. -> moved2";
        QTest::newRow("empty") << QByteArray("\tmoved2") << " -> moved2";
        QTest::newRow("a folder") << QByteArray("was\tsub") << "was -> sub (a folder)";
        QTest::newRow("undo record of older versions")
            << QByteArray("old:%D/taken\t%O/secret") << "taken -> %O/secret";
    }

    // An edited journal moves nothing into or out of another folder; the rest
    // of it is undone and the refused pair is named.
    void undoRefusesWhatIsNotAName()
    {
        QFETCH(QByteArray, pair);
        QFETCH(QString, refused);
        TempFolder dir, out;
        QVERIFY(dir.write("moved", "kept"));
        QVERIFY(dir.write("moved2", "2"));
        QVERIFY(QDir(dir.path()).mkdir("sub"));
        QVERIFY(out.write("secret", "secret"));
        const QByteArray d = dir.path().chopped(1).toUtf8(), o = out.path().chopped(1).toUtf8();
        pair.replace("%D", d).replace("%O", o);
        refused.replace("%D", d).replace("%O", o);
        QByteArray text;
        if (pair.startsWith("old:"))
            text = "Quillon undo record\n" + d + "/kept\t" + d + "/moved\n" + pair.mid(4) + "\n";
        else
            text = "Quillon rename journal\nfolder\t" + d + "/\nstep\tkept\tmoved\nstep\t" + pair +
                   "\nplanned\t2\ndone\t1\ndone\t0\nfinished\n";
        RenameJournal::Contents contents;
        QString why;
        QVERIFY2(RenameJournal::read(text, contents, why), qPrintable(why));
        PosixFileSystem fs;
        const RenameJournal::UndoReport report = RenameJournal::undo(fs, contents);
        QCOMPARE(report.refused, QStringList{refused});
        QCOMPARE(dir.names(), (QStringList{"kept", "moved2", "sub"}));
        QCOMPARE(out.names(), QStringList{"secret"});
    }
};

QTEST_GUILESS_MAIN(TestRenameJournal)
#include "TestRenameJournal.moc"
