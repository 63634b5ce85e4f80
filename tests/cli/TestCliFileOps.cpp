// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliRun.h"
#include "TempFolder.h"

#include "platform/FileNameCodec.h"

#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

using Files = QMap<QString, QByteArray>;
Q_DECLARE_METATYPE(Files)

namespace
{

// Runs quillon-cli with %F in the arguments standing for the folder.
CliRun runCli(QStringList arguments, const TempFolder& dir)
{
    for (QString& argument : arguments)
        argument.replace(QLatin1String("%F"), dir.path());
    return ::runCli(arguments);
}

struct Stat {
    qint64 modified;
    int mode;
    bool operator==(const Stat&) const = default;
};

Stat statOf(const QString& path)
{
    struct stat st = {};
    ::stat(FileNameCodec::encode(path).constData(), &st);
    return {qint64(st.st_mtime), int(st.st_mode)};
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
               "--search-name", "an", "--command", "Delete Sourcefiles$", "--yes"} << 0 << ""
            << "Delete %Fbanana.txt" << "apple" << QStringList{"apple.txt", "cherry.log"};
        QTest::newRow("batch asks before it deletes") << QStringList{"batch", "%F", "--command",
               "Delete Sourcefiles$"} << 2 << "Delete 3 files in %F? Nothing was done: add --yes"
            << "" << "Delete" << all;
        const QStringList copyOnto{"batch", "%F", "--search-name", "banana", "--command",
                                   "Filecopy Sourcefiles$ %Fapple.txt"};
        QTest::newRow("batch asks before copying onto a name") << copyOnto << 2
            << "Copy 1 file to %F? 1 name there is taken" << "" << "Filecopy" << all;
        QTest::newRow("batch never copies over a file") << copyOnto + QStringList{"--yes"} << 1
            << "never replaces a file):\n%Fapple.txt" << "Filecopy %Fbanana.txt %Fapple.txt" << ""
            << all;
        QTest::newRow("batch, lower-case command word") << QStringList{"batch", "%F", "--command",
               "delete Sourcefiles$"} << 1 << "Executable command not found..." << "" << "" << all;
        QTest::newRow("list by content") << QStringList{"list", "%F", "--search-content", "pip"}
            << 0 << "" << "apple.txt" << "banana" << all;
        QTest::newRow("content search finds nothing") << QStringList{"list", "%F",
               "--search-content", "absent"} << 1 << "No files found..." << "" << "apple" << all;
        QTest::newRow("shred all") << QStringList{"shred", "%F", "--all", "--yes"} << 0 << ""
            << "" << "Shredding" << QStringList{};
        QTest::newRow("shred the one file found") << QStringList{"shred", "%F", "--search-name",
               "cherry", "--position", "1", "--yes"} << 0 << "" << "" << ""
            << QStringList{"apple.txt", "banana.txt"};
        QTest::newRow("shred position past the list") << QStringList{"shred", "%F", "--position",
               "4", "--yes"} << 1 << "quillon-cli: no listed file has No. 4\n" << "" << "" << all;
        QTest::newRow("shred by No. after a sort") << QStringList{"shred", "%F", "--sort", "size",
               "--position", "2", "--yes"} << 0 << "" << "" << "" << QStringList{"apple.txt",
               "cherry.log"};
        QTest::newRow("shred by name") << QStringList{"shred", "%F", "--name", "cherry.log",
               "--yes"} << 0 << "" << "" << "" << QStringList{"apple.txt", "banana.txt"};
        QTest::newRow("shred a name not listed") << QStringList{"shred", "%F", "--name", "kiwi",
               "--yes"} << 1 << "quillon-cli: no listed file is named kiwi\n" << "" << "" << all;
        QTest::newRow("shred, dry run") << QStringList{"shred", "%F", "--position", "2",
               "--dry-run", "--yes"} << 0 << "" << "banana.txt\n" << "apple" << all;
        QTest::newRow("shred all, dry run") << QStringList{"shred", "%F", "--all", "--dry-run"}
            << 0 << "" << "apple.txt\nbanana.txt\ncherry.log\n" << "" << all;
        QTest::newRow("batch names a program that fails") << QStringList{"batch", "%F",
               "--command", "grep -q i Sourcefiles$"} << 1
            << "quillon-cli: grep -q i %Fcherry.log exited with status 1\n" << "" << "" << all;
        QTest::newRow("rename, nothing matches") << QStringList{"rename", "%F", "--filter",
               "*.xyz", "--pattern", "x#"} << 1 << "quillon-cli: no files match *.xyz\n" << ""
            << "" << all;
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

        const CliRun run = runCli(arguments, dir);

        QCOMPARE(run.status, status);
        QVERIFY2(run.err.contains(err.replace(QLatin1String("%F"), dir.path())),
                 qPrintable(run.err));
        if (err.isEmpty())
            QCOMPARE(run.err, QString());
        QVERIFY2(run.out.contains(out.replace(QLatin1String("%F"), dir.path())),
                 qPrintable(run.out));
        if (!notOut.isEmpty())
            QVERIFY2(!run.out.contains(notOut), qPrintable(run.out));
        QCOMPARE(dir.names(), left);
        if (left.contains(QStringLiteral("apple.txt")))
            QCOMPARE(dir.read(QStringLiteral("apple.txt")), QByteArray("pippin"));
    }

    void otherNamesOfAFileStayWhole_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("hardLink"); // else a symbolic link
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("err");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("shred all, hard link")
            << QStringList{"shred", "%F", "--all", "--yes"} << true << 1 << "was not shredded"
            << QStringList{"link"};
        QTest::newRow("shred one, hard link")
            << QStringList{"shred", "%F", "--search-name", "link", "--position", "1", "--yes"}
            << true << 1 << "was not shredded" << QStringList{"a", "link"};
        QTest::newRow("dates on a symbolic link")
            << QStringList{"rename", "%F", "--pattern", "Same", "--modified", "2001-02-03"} << false
            << 0 << "" << QStringList{"a", "link"};
    }

    // A file listed under one name may have others outside the folder: the
    // shredder does not overwrite it, dates change the link.
    void otherNamesOfAFileStayWhole()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, hardLink);
        QFETCH(int, status);
        QFETCH(QString, err);
        QFETCH(QStringList, left);
        TempFolder dir, outside;
        QVERIFY(dir.write("a", "a"));
        QVERIFY(outside.write("data", "precious"));
        const QByteArray data = FileNameCodec::encode(outside.file("data"));
        const QByteArray link = FileNameCodec::encode(dir.file("link"));
        QCOMPARE(hardLink ? ::link(data, link) : ::symlink(data, link), 0);
        const Stat before = statOf(outside.file("data"));
        const CliRun run = runCli(arguments, dir);
        QCOMPARE(run.status, status);
        QVERIFY2(run.err.contains(err), qPrintable(run.err));
        QCOMPARE(dir.names(), left);
        QCOMPARE(outside.read("data"), QByteArray("precious"));
        QVERIFY(statOf(outside.file("data")) == before);
    }
};

QTEST_GUILESS_MAIN(TestCliFileOps)
#include "TestCliFileOps.moc"
