// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileNameCodec.h"
#include "platform/PosixFileSystem.h"

#include "CliRun.h"
#include "ScratchMount.h"
#include "TempFolder.h"

#include <QTest>

#include <sys/stat.h>

namespace
{

mode_t modeOf(const QString& path)
{
    struct stat st;
    return ::lstat(FileNameCodec::encode(path).constData(), &st) == 0 ? st.st_mode : 0;
}

QStringList sortedLines(const QString& text)
{
    QStringList lines = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    lines.sort();
    return lines;
}

} // namespace

class TestCliRename : public QObject
{
    Q_OBJECT
private slots:
    void renameAndUndo()
    {
        TempFolder dir;
        const QStringList names{"plain.txt", "tab\tname.txt", "new\nline", "back\\slash.txt",
                                FileNameCodec::decode(QByteArray("caf\xe9.txt"))};
        for (const QString& n : names)
            QVERIFY(dir.write(n, n.toUtf8()));
        TempFolder records;
        const QString undoFile = records.file("rec.undo");
        CliRun r = runCli({"rename", dir.path(), "--pattern", "N#", "--zeros", "0", "--ext", ".txt",
                           "--undo-file", undoFile, "--attributes", "H,readonly", "--created",
                           "2020-01-02", "--modified", "1/3/2020 4:05:06 AM"});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out + r.err, QString()); // no progress where no terminal shows it
        QCOMPARE(dir.names(), (QStringList{"N1.txt", "N2.txt", "N3.txt", "N4.txt", "N5.txt"}));
        PosixFileSystem fs;
        FileSystem::Entry e;
        QCOMPARE(fs.stat(dir.file("N5.txt"), e), 0);
        QCOMPARE(e.attributes, FileSystem::Hidden | FileSystem::ReadOnly);
        QCOMPARE(e.created.seconds, QDateTime(QDate(2020, 1, 2), QTime(0, 0)).toSecsSinceEpoch());
        QCOMPARE(e.modified.seconds,
                 QDateTime(QDate(2020, 1, 3), QTime(4, 5, 6)).toSecsSinceEpoch());
        QVERIFY(records.read("rec.undo").startsWith("Quillon rename journal\n"));

        r = runCli({"undo", "--undo-file", undoFile});
        QCOMPARE(r.status, 0);
        QStringList expected = names;
        expected.sort();
        QCOMPARE(dir.names(), expected);
        for (const QString& n : names)
            QCOMPARE(dir.read(n), n.toUtf8());
    }

    void dryRunShowsTakenTargets()
    {
        TempFolder dir;
        for (const char* n : {"a1", "a2", "b1", "c", ".x"})
            QVERIFY(dir.write(n));
        const CliRun r =
            runCli({"rename", dir.path(), "--dry-run", "--pattern", "Replace Only", "--replace",
                    "a", "--with", "b", "--replace-all", "C", "--with-all", ".x"});
        QCOMPARE(r.status, 0);
        const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(sortedLines(lines.mid(0, 2).join('\n')),
                 (QStringList{"taken: a1 -> b1", "taken: c -> .x"}));
        QCOMPARE(sortedLines(lines.mid(2).join('\n')),
                 (QStringList{".x -> .x", "a1 -> b1", "a2 -> b2", "b1 -> b1", "c -> .x"}));
        QCOMPARE(dir.names(), (QStringList{".x", "a1", "a2", "b1", "c"}));
    }

    void failures_data()
    {
        QTest::addColumn<QString>("medium");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("messages");
        // The failure box is three lines (the file and reason, a blank line,
        // the text); the pass ends with its summary: a line, then a line per
        // file left or "The pass stopped: ...".
        QTest::newRow("taken by hidden, stop") << QString("disk") << QString() << 7;
        QTest::newRow("taken by hidden, skip") << QString("disk") << QString("skip") << 11;
        QTest::newRow("read-only medium") << QString("tmpfs-ro") << QString() << 6;
        // a1's step tried 6 times (4 lines each), then why the pass stops
        QTest::newRow("taken by hidden, retry") << QString("disk") << QString("retry") << 28;
    }

    // Without a terminal a failure that persists stops the pass; --on-failure
    // skip goes on. Either way nothing is replaced and the status is 1.
    void failures()
    {
        QFETCH(QString, medium);
        QFETCH(QString, answer);
        QFETCH(int, messages);
        TempFolder dir;
        const bool readOnly = medium == QLatin1String("tmpfs-ro");
        std::unique_ptr<ScratchMount> mount;
        if (readOnly) {
            mount = std::make_unique<ScratchMount>(ScratchMount::Tmpfs);
            if (!mount->available())
                QSKIP(qPrintable(mount->skipReason()));
        }
        const QString folder = readOnly ? mount->path() : dir.path();
        PosixFileSystem fs;
        for (const char* n : {"a1", "a2", ".x1", ".x2"})
            QCOMPARE(fs.createFile(folder + n, n), 0);
        if (readOnly)
            QVERIFY(mount->remountReadOnly());
        QStringList args{"rename",    folder, "--pattern", "Replace Only",
                         "--replace", "a",    "--with",    readOnly ? "b" : ".x"};
        if (!answer.isEmpty())
            args << "--on-failure" << answer;
        const CliRun r = runCli(args);
        QCOMPARE(r.status, 1);
        QCOMPARE(r.err.count('\n'), messages);
        QVERIFY(r.err.contains(readOnly ? "Cannot Rename Read-only Media" : "aready exists"));
        QVERIFY(r.err.contains("0 of 2 renamed; 2 not renamed:\na1: "));
        QCOMPARE(r.err.contains("Still failing after 5 retries"), answer == "retry");
        QCOMPARE(r.out, QString());
        FileSystem::Entry e;
        for (const char* n : {"a1", "a2", ".x1", ".x2"})
            QCOMPARE(fs.stat(folder + n, e), 0);
    }

    // The dates given reach every listed file, hidden or read-only, and
    // nothing else of a file changes unless --attributes says so. A date that
    // cannot be written (no user attributes on a ramfs) names the file.
    void datesReachEveryFile_data()
    {
        QTest::addColumn<bool>("ramfs");
        QTest::addColumn<int>("attributes");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        const QString c = QStringLiteral("2020-01-02"), m = QStringLiteral("2021-03-04T05:06:07");
        QTest::newRow("hidden") << false << 2 << QStringList{"--created", c, "--modified", m} << 0;
        QTest::newRow("read-only, attributes none")
            << false << 1 << QStringList{"--created", c, "--modified", m, "--attributes", "none"}
            << 0;
        QTest::newRow("hidden read-only, creation only")
            << false << 3 << QStringList{"--created", c} << 0;
        QTest::newRow("no user attributes")
            << true << 1 << QStringList{"--created", c, "--modified", m} << 1;
    }

    void datesReachEveryFile()
    {
        QFETCH(bool, ramfs);
        QFETCH(int, attributes);
        QFETCH(QStringList, args);
        TempFolder dir;
        std::unique_ptr<ScratchMount> mount;
        if (ramfs) {
            mount = std::make_unique<ScratchMount>(ScratchMount::Ramfs);
            if (!mount->available())
                QSKIP(qPrintable(mount->skipReason()));
        }
        const QString folder = ramfs ? mount->path() : dir.path();
        PosixFileSystem fs;
        QMap<QString, FileSystem::Entry> before;
        QMap<QString, mode_t> modes;
        for (const char* n : {".f", "f.txt"}) {
            QCOMPARE(fs.createFile(folder + n, n), 0);
            QCOMPARE(fs.setAttributes(folder + n, attributes), 0);
            QCOMPARE(fs.stat(folder + n, before[QString(n).replace('f', 'g')]), 0);
            modes[QString(n).replace('f', 'g')] = modeOf(folder + n);
        }
        const CliRun r = runCli(QStringList{"rename", folder, "--pattern", "Replace Only",
                                            "--replace", "f", "--with", "g"} +
                                args);
        QTEST(r.status, "status");
        const auto date = [&](const char* option) {
            const qsizetype at = args.indexOf(QLatin1String(option));
            return at < 0 ? qint64(0)
                          : QDateTime::fromString(args[at + 1], Qt::ISODate).toSecsSinceEpoch();
        };
        for (auto b = before.cbegin(); b != before.cend(); ++b) {
            FileSystem::Entry e;
            QCOMPARE(fs.stat(folder + b.key(), e), 0);
            // Without a stored creation time the modified time stands for it.
            QCOMPARE(e.created.seconds, ramfs               ? e.modified.seconds
                                        : date("--created") ? date("--created")
                                                            : b->created.seconds);
            QCOMPARE(e.modified.seconds,
                     date("--modified") ? date("--modified") : b->modified.seconds);
            QCOMPARE(e.attributes, b->attributes);
            QCOMPARE(modeOf(folder + b.key()), modes[b.key()]);
            QCOMPARE(r.err.contains(QString(b.key()).replace('g', 'f') + QLatin1Char(':')), ramfs);
        }
    }

    void refusedNamesAreNamed_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("said"); // on stderr, or on stdout for a dry run
        const QStringList regex{"--pattern", "Replace Only", "--regex", "^.*$", "--with"};
        const QString longName(300, 'x'), as(40, 'a');
        QTest::newRow("..") << "a.txt" << QStringList{"rename"} + regex + QStringList{".."} << 1
                            << "a.txt: \"..\" is not a file name\n\n"
                               "Read-Only media or file name conflict Error occured.";
        QTest::newRow("empty") << "a.txt" << QStringList{"rename"} + regex + QStringList{""} << 1
                               << "a.txt: \"\" is not a file name";
        QTest::newRow("too long") << "a.txt"
                                  << QStringList{"rename"} + regex + QStringList{longName} << 1
                                  << "a.txt: \"" + longName + "\" is longer than 255 bytes";
        QTest::newRow("too long, dry run")
            << "a.txt" << QStringList{"rename", "--dry-run"} + regex + QStringList{longName} << 0
            << "longer than 255 bytes: a.txt -> " + longName + "\n";
        QTest::newRow("the engine gives up")
            << as
            << QStringList{"list",   "--pattern", "Replace Only", "--regex", "^(?:(a|aa)+1x|a)",
                           "--with", "b"}
            << 1
            << "quillon-cli: --regex gave up on " + as +
                   " (too much backtracking); its new name is left as it was\n";
    }

    // A new name the pass or the regular expression cannot use is named with
    // the reason, and the file keeps its name.
    void refusedNamesAreNamed()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, said);
        TempFolder dir;
        QVERIFY(dir.write(file));
        args.insert(1, dir.path());
        const CliRun r = runCli(args);
        QVERIFY2((args.contains("--dry-run") ? r.out : r.err).contains(said),
                 qPrintable(r.out + r.err));
        QCOMPARE(r.status, status);
        QCOMPARE(dir.names(), QStringList{file});
    }

    // Path arguments keep bytes that are not UTF-8, as file names do.
    void argumentBytes()
    {
        TempFolder dir;
        const QByteArray d = FileNameCodec::encode(dir.path()) + "caf\xe9";
        QCOMPARE(::mkdir(d.constData(), 0700), 0);
        QVERIFY(dir.write(FileNameCodec::decode("caf\xe9/x.txt")));
        // QProcess hands arguments over as UTF-8: a shell passes the bytes.
        const QByteArray script = "cd \"$0\" && \"$1\" list \"$(printf 'caf\\351')\" -o "
                                  "\"$(printf 'out\\351')\" --format csv && "
                                  "\"$1\" rename \"$(printf 'caf\\351')\" --pattern N# "
                                  "--undo-file \"$(printf 'undo\\351')\" && "
                                  "\"$1\" undo --journal \"$(printf 'undo\\351')\"";
        QProcess p;
        p.start("sh", {"-c", QString::fromLatin1(script), dir.path(), cliProgram()});
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), 0);
        QCOMPARE(dir.names(),
                 (QStringList{FileNameCodec::decode("caf\xe9"), FileNameCodec::decode("out\xe9"),
                              FileNameCodec::decode("undo\xe9")}));
        QVERIFY(dir.read(FileNameCodec::decode("out\xe9")).contains("x.txt"));
        QVERIFY(dir.exists(FileNameCodec::decode("caf\xe9/x.txt")));
    }
};

QTEST_GUILESS_MAIN(TestCliRename)
#include "TestCliRename.moc"
