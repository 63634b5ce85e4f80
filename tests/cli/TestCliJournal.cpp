// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliRun.h"
#include "ScratchMount.h"
#include "TempFolder.h"

#include "app/JournalFolder.h"
#include "platform/DosAttrib.h"
#include "platform/FileNameCodec.h"

#include <QRandomGenerator>
#include <QtTest>

#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/xattr.h>

namespace
{

// Per file, sorted: "name modified-time mode DOSATTRIB", all a pass may change.
QStringList states(const TempFolder& dir)
{
    QStringList out;
    for (const QString& name : dir.names()) {
        const QByteArray path = FileNameCodec::encode(dir.file(name));
        struct stat st = {};
        ::lstat(path.constData(), &st);
        char dos[256];
        const ssize_t n = ::lgetxattr(path.constData(), DosAttrib::Name, dos, sizeof dos);
        out << QStringLiteral("%1 %2.%3 %4 %5")
                   .arg(name)
                   .arg(st.st_mtim.tv_sec)
                   .arg(st.st_mtim.tv_nsec)
                   .arg(st.st_mode & 07777, 0, 8)
                   .arg(n < 0 ? QString("-") : QString(QByteArray(dos, int(n)).toHex()));
    }
    return out;
}

} // namespace

class TestCliJournal : public QObject
{
    Q_OBJECT
private slots:
    void killedPassIsUndoneFromItsJournal();
    void keptJournalsUndoAChain();
    void lastIsTheNewestPassWhereverItsJournal();
    void undoFileRefused_data();
    void undoFileRefused();
    void undoRestoresDatesAndAttributes_data();
    void undoRestoresDatesAndAttributes();
    void unfinishedUndoIsFinishedLater();
    void fullDiskStopsThePass_data();
    void fullDiskStopsThePass();
    void linkedStateFolderIsRefused();
    void oldUndoRecordIsNotRead();
    void keptCountFollowsTheSetting();
};

// quillon-cli killed (SIGKILL) at a random moment of a pass over 20,000
// files; the undo from the journal then brings every name back. The rounds
// share one folder, so every round starts from the previous undo. At least
// one kill must land mid-pass (some files renamed, others not): more rounds
// are run until one does.
void TestCliJournal::killedPassIsUndoneFromItsJournal()
{
    TempFolder dir, records;
    QStringList names;
    for (int i = 0; i < 20000; ++i) {
        names << QStringLiteral("f%1").arg(i, 5, 10, QLatin1Char('0'));
        QVERIFY(dir.write(names.last(), names.last().toLatin1()));
    }
    const QSet<QString> before(names.cbegin(), names.cend());
    int cutMidPass = 0;
    for (int round = 0; round < 10 || (cutMidPass == 0 && round < 40); ++round) {
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
        const QStringList after = dir.names();
        const qsizetype kept = QSet<QString>(after.cbegin(), after.cend()).intersect(before).size();
        if (kept > 0 && kept < names.size())
            ++cutMidPass;
        const CliRun undo = runCli({"undo", "--journal", journal});
        QCOMPARE(undo.err, QString());
        QCOMPARE(undo.status, 0);
        QCOMPARE(dir.names(), names);
    }
    QVERIFY2(cutMidPass > 0, "no kill landed in the middle of a pass");
    for (const QString& name : names)
        QCOMPARE(dir.read(name), name.toLatin1());
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

void TestCliJournal::undoRestoresDatesAndAttributes_data()
{
    QTest::addColumn<QString>("newNames"); // of a, b, c
    QTest::addColumn<QStringList>("args");
    const QStringList dates{"--created", "2020-01-02", "--modified", "2020-01-03T04:05:06"};
    const QStringList attributes{"--attributes", "H,R"};
    QTest::newRow("dates") << "x y z" << dates;
    QTest::newRow("attributes") << "x y z" << attributes;
    QTest::newRow("dates and attributes, --cycles")
        << "b c a" << dates + attributes + QStringList{"--cycles"};
}

// Files with their own modified times (to the nanosecond), modes and
// DOSATTRIB values (one in the bare text of old Samba releases, one absent):
// the undo gives each back exactly, with the names.
void TestCliJournal::undoRestoresDatesAndAttributes()
{
    QFETCH(QString, newNames);
    QFETCH(QStringList, args);
    TempFolder dir, texts;
    const QByteArray recent = DosAttrib{true, true, 0x21, true, 130000000000000000}.encode();
    const struct {
        const char* name;
        int mode;
        QByteArray dos;
    } files[] = {{"a", 0644, {}}, {"b", 0444, recent}, {"c", 0600, "0x20"}};
    for (const auto& file : files) {
        QVERIFY(dir.write(file.name, file.name));
        const QByteArray path = FileNameCodec::encode(dir.file(file.name));
        if (!file.dos.isEmpty())
            QCOMPARE(::lsetxattr(path.constData(), DosAttrib::Name, file.dos.constData(),
                                 size_t(file.dos.size()), 0),
                     0);
        const struct timespec times[2] = {{0, UTIME_OMIT}, {1000000000, 123456789}};
        QCOMPARE(::utimensat(AT_FDCWD, path.constData(), times, 0), 0);
        QCOMPARE(::chmod(path.constData(), mode_t(file.mode)), 0);
    }
    const QStringList before = states(dir);
    QVERIFY(texts.write("names", newNames.split(' ').join("\r\n").toLatin1() + "\r\n"));
    CliRun r = runCli(
        QStringList{"rename", dir.path(), "--sort", "name", "--paste", texts.file("names")} + args);
    QCOMPARE(r.status, 0);
    QStringList renamed = newNames.split(' ');
    renamed.sort();
    QCOMPARE(dir.names(), renamed);
    QCOMPARE(dir.read(newNames.section(' ', 0, 0)), QByteArray("a"));
    QVERIFY(states(dir) != before);
    r = runCli({"undo", "--last"});
    QVERIFY2(r.err.startsWith("quillon-cli: undoing the pass of ") && r.err.count('\n') == 1,
             qPrintable(r.err)); // which pass, and nothing else
    QCOMPARE(r.status, 0);
    QCOMPARE(states(dir), before);
    QCOMPARE(dir.read("a"), QByteArray("a"));
}

// A name taken by a new file after the pass: the undo names the file it
// leaves, exits 1 and leaves the journal open; once the new file moved away,
// the next undo does the rest and marks the journal undone.
void TestCliJournal::unfinishedUndoIsFinishedLater()
{
    TempFolder dir;
    QVERIFY(dir.write("a", "A"));
    QVERIFY(dir.write("b", "B"));
    QCOMPARE(runCli({"rename", dir.path(), "--pattern", "N#"}).status, 0);
    QCOMPARE(dir.names(), (QStringList{"N1", "N2"}));
    QVERIFY(dir.write("a", "new"));
    CliRun r = runCli({"undo", "--last"});
    QCOMPARE(r.status, 1);
    QVERIFY2(r.err.contains("N1"), qPrintable(r.err));
    QVERIFY2(!r.err.contains("N2"), qPrintable(r.err));
    QCOMPARE(dir.names(), (QStringList{"N1", "a", "b"}));
    r = runCli({"undo", "--list"});
    QVERIFY2(!r.out.trimmed().section('\n', -1).contains("undone"), qPrintable(r.out));
    QVERIFY(QFile::rename(dir.file("a"), dir.file("new")));
    r = runCli({"undo", "--last"});
    QVERIFY2(r.err.startsWith("quillon-cli: undoing the pass of ") && r.err.count('\n') == 1,
             qPrintable(r.err)); // which pass, and nothing else
    QCOMPARE(r.status, 0);
    QCOMPARE(dir.names(), (QStringList{"a", "b", "new"}));
    QCOMPARE(dir.read("a"), QByteArray("A"));
    r = runCli({"undo", "--list"});
    QVERIFY2(r.out.trimmed().section('\n', -1).contains("\t2 renamed, undone\t"),
             qPrintable(r.out));
    QCOMPARE(runCli({"undo", "--last"}).status, 1);
    QCOMPARE(dir.names(), (QStringList{"a", "b", "new"}));
}

void TestCliJournal::fullDiskStopsThePass_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("plain") << QStringList{"--pattern", "N#"};
    QTest::newRow("--cycles, swaps")
        << QStringList{"--sort", "natural", "--paste", "%N", "--cycles"};
}

// The journal's folder on a small tmpfs that is full once the plan is written
// (its size measured on a rehearsal in a folder of the same path length): the
// pass says so and exits 1, never renaming through a temporary name it could
// not record; the undo on the full disk says it could not record itself
// (renames it could not record are found again on the disk where no other
// step shares their names); once room is made, the next undo brings every
// name back.
void TestCliJournal::fullDiskStopsThePass()
{
    QFETCH(QStringList, args);
    ScratchMount mount(ScratchMount::Tmpfs, QStringLiteral("size=2m"));
    if (!mount.available())
        QSKIP(qPrintable(mount.skipReason()));
    const int count = 2000;
    TempFolder dir, rehearsal, texts;
    QStringList names, swapped;
    for (int i = 0; i < count; ++i) {
        names << QStringLiteral("f%1").arg(i, 4, 10, QLatin1Char('0'));
        QVERIFY(dir.write(names.last(), names.last().toLatin1()));
        QVERIFY(rehearsal.write(names.last()));
    }
    for (int i = 0; i < count; ++i)
        swapped << names[i ^ 1];
    QVERIFY(texts.write("names", swapped.join("\r\n").toLatin1() + "\r\n"));
    args.replaceInStrings("%N", texts.file("names"));
    QCOMPARE(dir.path().size(), rehearsal.path().size());
    CliRun r =
        runCli(QStringList{"rename", rehearsal.path(), "--undo-file", texts.file("j")} + args);
    QCOMPARE(r.status, 0);
    const QByteArray journal = texts.read("j");
    const qsizetype planEnd = journal.indexOf('\n', journal.indexOf("\nplanned\t") + 1) + 1;
    QVERIFY(planEnd > 0);
    QVERIFY(QDir(mount.path()).mkdir("quillon"));
    struct statvfs room;
    QCOMPARE(::statvfs(mount.path().toUtf8().constData(), &room), 0);
    const qint64 page = qint64(room.f_bsize), planPages = (planEnd + page - 1) / page;
    QVERIFY(qint64(room.f_bavail) > planPages);
    QFile filler(mount.path() + "filler");
    QVERIFY(filler.open(QIODevice::WriteOnly));
    QVERIFY(filler.write(QByteArray((qint64(room.f_bavail) - planPages) * page, 'x')) > 0);
    filler.close();

    const QString state = mount.path();
    r = runCli(QStringList{"rename", dir.path()} + args, {}, state);
    QCOMPARE(r.status, 1);
    QVERIFY2(r.err.contains("undo journal"), qPrintable(r.err));
    r = runCli({"undo", "--last"}, {}, state);
    QCOMPARE(r.status, 1);
    QVERIFY2(r.err.contains("could not be recorded in its journal"), qPrintable(r.err));
    QVERIFY(filler.remove());
    r = runCli({"undo", "--last"}, {}, state);
    QVERIFY2(r.err.startsWith("quillon-cli: undoing the pass of ") && r.err.count('\n') == 1,
             qPrintable(r.err));
    QCOMPARE(r.status, 0);
    QCOMPARE(dir.names(), names);
    for (const QString& name : names)
        QCOMPARE(dir.read(name), name.toLatin1());
}

// $XDG_STATE_HOME/quillon as a symbolic link to another folder: no journal
// is written, read or pruned through it, and the pass renames nothing.
void TestCliJournal::linkedStateFolderIsRefused()
{
    TempFolder dir, state, elsewhere;
    QVERIFY(dir.write("a", "A"));
    QVERIFY(elsewhere.write("rename-20200101-000000-000-1.journal", "kept"));
    QVERIFY(QFile::link(elsewhere.path(), state.file("quillon")));
    CliRun r = runCli({"rename", dir.path(), "--pattern", "N#"}, {}, state.path());
    QCOMPARE(r.status, 1);
    QVERIFY2(r.err.contains("symbolic link"), qPrintable(r.err));
    QCOMPARE(dir.names(), QStringList{"a"});
    r = runCli({"undo", "--list"}, {}, state.path());
    QCOMPARE(r.status, 1);
    QCOMPARE(r.out, QString());
    QVERIFY2(r.err.contains("symbolic link"), qPrintable(r.err));
    QCOMPARE(elsewhere.names(), QStringList{"rename-20200101-000000-000-1.journal"});
}

// The undo record of the versions before the journal is not read.
void TestCliJournal::oldUndoRecordIsNotRead()
{
    TempFolder dir, records;
    QVERIFY(dir.write("new", "A"));
    QVERIFY(records.write("old", "Quillon undo record\n" + dir.file("a").toUtf8() + "\t" +
                                     dir.file("new").toUtf8() + "\n"));
    const CliRun r = runCli({"undo", "--journal", records.file("old")});
    QCOMPARE(r.status, 1);
    QVERIFY2(r.err.contains("undo record of an older version"), qPrintable(r.err));
    QCOMPARE(dir.names(), QStringList{"new"});
}

// The help and the list name the number of passes the Rename History is set
// to keep, whatever it is.
void TestCliJournal::keptCountFollowsTheSetting()
{
    TempFolder config; // the setting is written whoever runs the test
    const QByteArray testConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    const auto restore = qScopeGuard([&] { qputenv("XDG_CONFIG_HOME", testConfig); });
    for (const int kept : {7, JournalFolder::Keep}) {
        QVERIFY(JournalFolder::setKeep(kept));
        const QString newest = QStringLiteral("the newest %1 passes").arg(kept);
        const CliRun help = runCli({"--help"});
        QVERIFY2(help.out.contains(newest), qPrintable(help.out));
        const CliRun list = runCli({"undo", "--list"});
        QCOMPARE(list.status, 0);
        QVERIFY2(list.err.contains(newest), qPrintable(list.err));
    }
}

QTEST_GUILESS_MAIN(TestCliJournal)
#include "TestCliJournal.moc"
