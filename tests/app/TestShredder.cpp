// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScannedFolder.h"

#include "app/Shredder.h"

#include <QSignalSpy>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

Q_DECLARE_METATYPE(Files)

namespace
{
const Files Three{{"a.txt", "a.txt"}, {"b.txt", "b.txt"}, {"c.txt", "c.txt"}};
}

class TestShredder : public QObject
{
    Q_OBJECT
private slots:
    void sequence_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QByteArray>("afterScan"); // written after the scan, if not null
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<int>("zeros");

        // clang-format off
        QTest::newRow("empty file") << QByteArray("") << QByteArray() << false << 1;
        QTest::newRow("ten bytes") << QByteArray("0123456789") << QByteArray() << false << 11;
        QTest::newRow("read-only file") << QByteArray("secret") << QByteArray() << true << 7;
        QTest::newRow("grew since the scan") << QByteArray("abc") << QByteArray("abcdefgh") << false << 9;
        QTest::newRow("shrank since the scan") << QByteArray("abcdefgh") << QByteArray("ab") << false << 9;
        // clang-format on
    }

    void sequence()
    {
        QFETCH(QByteArray, content);
        QFETCH(QByteArray, afterScan);
        QFETCH(bool, readOnly);
        QFETCH(int, zeros);
        ScannedFolder folder({{"f", content}});
        const QString path = folder.dir.file("f");
        if (!afterScan.isNull())
            QVERIFY(folder.dir.write("f", afterScan));
        if (readOnly)
            QCOMPARE(folder.fs.setAttributes(path, FileSystem::ReadOnly), 0);
        QByteArrayList seen; // the file's bytes as each delete begins
        folder.fs.before = [&](const QString& operation, const QString&) {
            if (operation == QLatin1String("removeFile"))
                seen << folder.dir.read("f");
        };
        folder.fs.log.clear();

        Shredder(folder.session).shredAllFiles();

        const QString pass = QStringLiteral("writeZerosAtStart f %1").arg(zeros);
        QCOMPARE(folder.fs.log,
                 QStringList({"stat f", "setAttributes f 0", pass, pass, pass, "removeFile f",
                              "createFile f 04 00", "removeFile f"}));
        QCOMPARE(seen, QByteArrayList({QByteArray(zeros, '\0'), QByteArray("\x04\x00", 2)}));
        QCOMPARE(folder.prompter.messages, QStringList());
        QCOMPARE(folder.dir.names(), QStringList());
    }

    void failures_data()
    {
        QTest::addColumn<bool>("all");
        QTest::addColumn<QString>("change"); // done to b.txt after the scan, or the failing call
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message"); // %1: the folder
        QTest::addColumn<bool>("bRemains");

        const QString one = QStringLiteral("Could not Shred file %1b.txt...");
        const QString all = QStringLiteral("Could not Shred from %1...");
        const QString media = QStringLiteral("Cannot Shred from Readonly Media");
        // clang-format off
        QTest::newRow("deleted, one") << false << "delete" << 0 << one << false;
        QTest::newRow("deleted, all") << true << "delete" << 0 << all << false;
        QTest::newRow("became a folder, one") << false << "folder" << 0 << one << true;
        QTest::newRow("became a folder, all") << true << "folder" << 0 << all << true;
        QTest::newRow("write refused, one") << false << "writeZerosAtStart" << 75 << media << true;
        QTest::newRow("attributes refused, all") << true << "setAttributes" << 75 << media << true;
        QTest::newRow("delete refused, all") << true << "removeFile" << 70 << all << true;
        QTest::newRow("disk full on re-create, one") << false << "createFile" << 61 << one << false;
        // clang-format on
    }

    // The first failure stops with one message; files before it are gone, it and
    // the ones after it stay as they were, and the list shows what is left.
    void failures()
    {
        QFETCH(bool, all);
        QFETCH(QString, change);
        QFETCH(int, code);
        QFETCH(QString, message);
        QFETCH(bool, bRemains);
        ScannedFolder folder(Three);
        const QStringList order = folder.names();
        const int b = int(order.indexOf("b.txt"));
        const QByteArray bPath = folder.dir.file("b.txt").toLocal8Bit();
        if (change == QLatin1String("delete") || change == QLatin1String("folder"))
            QVERIFY(::unlink(bPath) == 0);
        if (change == QLatin1String("folder"))
            QVERIFY(::mkdir(bPath, 0755) == 0);
        folder.fs.failOn(change, "b.txt", code);

        Shredder shredder(folder.session);
        shredder.rowClicked(b);
        all ? shredder.shredAllFiles() : shredder.shredCurrentFile();

        QCOMPARE(folder.prompter.messages, QStringList(message.replace("%1", folder.dir.path())));
        Files left;
        for (int p = 0; p < order.size(); ++p) {
            if (p == b ? bRemains : (p > b || !all))
                left.insert(order[p], Three[order[p]]);
        }
        if (change == QLatin1String("folder"))
            left["b.txt"] = QByteArray();
        else if (change == QLatin1String("removeFile"))
            left["b.txt"] = QByteArray(6, '\0');
        QCOMPARE(folder.contents(), left);
        if (change == QLatin1String("folder"))
            left.remove("b.txt");
        QStringList shown = folder.names();
        shown.sort();
        QCOMPARE(shown, left.keys());
    }

    // A listed link goes as the link; its target outside the folder is never
    // opened.
    void linkShreddedAsItself()
    {
        TempFolder outside;
        QVERIFY(outside.write("keep.txt", "precious"));
        ScannedFolder folder;
        QVERIFY(::symlink(outside.file("keep.txt").toLocal8Bit(),
                          folder.dir.file("link").toLocal8Bit()) == 0);
        folder.scan(folder.dir.path());
        folder.fs.log.clear();

        Shredder(folder.session).shredAllFiles();

        QCOMPARE(folder.prompter.messages, QStringList());
        QCOMPARE(folder.fs.log, QStringList({"stat link", "removeFile link",
                                             "createFile link 04 00", "removeFile link"}));
        QCOMPARE(folder.dir.names(), QStringList());
        QCOMPARE(outside.names(), QStringList("keep.txt"));
        QCOMPARE(outside.read("keep.txt"), QByteArray("precious"));
    }

    void namedFileOnly_data()
    {
        QTest::addColumn<QString>("between"); // what happens after the click on b.txt
        QTest::addColumn<bool>("answer");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<QString>("message"); // %1: the folder
        QTest::addColumn<QStringList>("left");
        QTest::addColumn<bool>("entryShown"); // at the end

        const QStringList all{"a.txt", "b.txt", "c.txt"};
        // clang-format off
        QTest::newRow("another row is current") << "current a.txt" << true << true << ""
            << QStringList{"a.txt", "c.txt"} << false;
        QTest::newRow("answered No") << "" << false << true << "" << all << true;
        QTest::newRow("gone since the click") << "delete" << true << true
            << "Could not Shred file %1b.txt..." << QStringList{"a.txt", "c.txt"} << false;
        QTest::newRow("rescanned") << "rescan" << true << false << "" << all << false;
        QTest::newRow("list narrowed") << "narrow" << true << false << "" << all << false;
        // clang-format on
    }

    // "Shred File... b.txt" asks first and shreds b.txt or nothing; a new
    // listing takes the entry away.
    void namedFileOnly()
    {
        QFETCH(QString, between);
        QFETCH(bool, asked);
        QFETCH(QString, message);
        ScannedFolder folder(Three);
        Shredder shredder(folder.session);
        QSignalSpy entry(&shredder, &Shredder::shredEntryChanged);
        FileListModel& model = folder.session.model();
        model.setCurrent(model.recordAt(1), 1);
        shredder.rowClicked(1);
        QCOMPARE(entry.takeLast(), QVariantList({QStringLiteral("Shred File... b.txt"), true}));
        if (between == QLatin1String("current a.txt"))
            model.setCurrent(model.recordAt(0), 0);
        else if (between == QLatin1String("delete"))
            QVERIFY(::unlink(folder.dir.file("b.txt").toLocal8Bit()) == 0);
        else if (between == QLatin1String("rescan"))
            folder.scan(folder.dir.path());
        else if (between == QLatin1String("narrow"))
            folder.narrowTo({"a.txt"});
        QFETCH(bool, answer);
        folder.prompter.confirmAnswer = answer;

        shredder.shredCurrentFile();

        QCOMPARE(folder.prompter.questions,
                 asked ? QStringList("Shred " + folder.dir.file("b.txt") +
                                     "? It is overwritten and deleted for good.")
                       : QStringList());
        QCOMPARE(folder.prompter.messages,
                 message.isEmpty() ? QStringList() : QStringList(message.arg(folder.dir.path())));
        QTEST(folder.dir.names(), "left");
        QTEST(shredder.shredEntryVisible(), "entryShown");
    }

    void shredAllShowsProgress()
    {
        ScannedFolder folder(Three);
        Shredder shredder(folder.session);
        QSignalSpy progress(&shredder, &Shredder::statusChanged);
        folder.prompter.yields = 0;

        shredder.shredAllFiles();

        QStringList texts;
        for (const QVariantList& signal : std::as_const(progress))
            texts << signal.at(0).toString();
        QCOMPARE(texts, QStringList({"Shredding :\n\na.txt", "Shredding :\n\nb.txt",
                                     "Shredding :\n\nc.txt", "Shredding Done"}));
        QVERIFY(folder.prompter.yields >= 3);
        QCOMPARE(folder.dir.names(), QStringList());
        QCOMPARE(folder.session.lastPosition(), -1);
        QCOMPARE(folder.prompter.messages, QStringList());
        QCOMPARE(folder.prompter.questions, QStringList()); // its submenu asked
    }
};

QTEST_GUILESS_MAIN(TestShredder)
#include "TestShredder.moc"
