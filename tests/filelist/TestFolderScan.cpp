// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Session.h"
#include "filelist/FolderScan.h"
#include "filelist/ScanAhead.h"
#include "platform/FileNameCodec.h"
#include "platform/PosixFileSystem.h"
#include "platform/SplitWork.h"

#include "ListRows.h"
#include "PromptRecorder.h"
#include "ScannedFolder.h"
#include "TempFolder.h"

#include <QTest>

#include <functional>
#include <memory>

#include <fcntl.h>
#include <unistd.h>

class TestFolderScan : public QObject
{
    Q_OBJECT
private slots:
    void zeros_data()
    {
        QTest::addColumn<int>("fileLast");
        QTest::addColumn<QString>("zeros");
        QTest::newRow("empty") << -1 << "0";
        QTest::newRow("9 files") << 8 << "0";
        QTest::newRow("10 files") << 9 << "00";
        QTest::newRow("99 files") << 98 << "00";
        QTest::newRow("100 files") << 99 << "000";
        QTest::newRow("120 files") << 119 << "000";
        QTest::newRow("100000 files") << 99999 << "000000";
        QTest::newRow("1000001 files") << 1000000 << "0000000";
    }

    void zeros()
    {
        QFETCH(int, fileLast);
        QFETCH(QString, zeros);
        QCOMPARE(FolderScan::zerosFor(fileLast), zeros);
    }

    void folderPath()
    {
        QCOMPARE(FolderScan::folderPathFor(QStringLiteral("/")), QStringLiteral("/"));
        QCOMPARE(FolderScan::folderPathFor(QStringLiteral("/data")), QStringLiteral("/data/"));
    }

    void listsEveryFileButFolders()
    {
        TempFolder dir;
        const QString odd = FileNameCodec::decode(QByteArray("odd\xff|\n.txt"));
        for (const QString& n : {QStringLiteral(".hidden"), QStringLiteral("a.txt"), odd})
            QVERIFY(dir.write(n, "abc"));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));
        PosixFileSystem fs;
        const QString before = fs.currentFolder();
        FileListModel::Rows rows;
        const auto result = FolderScan::scan(fs, dir.path(), QStringLiteral("*"), rows);
        QCOMPARE(result.fileLast, 2);
        FileListModel model;
        model.setRows(std::move(rows));
        QStringList names;
        for (int i = 0; i <= model.lastIndex(); ++i) {
            names << model.currentNameAt(i);
            QCOMPARE(model.sizeText(i), QStringLiteral("3"));
        }
        QCOMPARE(names, (QStringList{QStringLiteral(".hidden"), QStringLiteral("a.txt"), odd}));
        // The listed folder is passed on by path; the process stays where it was.
        QCOMPARE(fs.currentFolder(), before);
    }

    void nameOrder_data()
    {
        QTest::addColumn<QStringList>("names"); // in the expected order
        QTest::newRow("letter case ignored")
            << QStringList{"A.txt", "a2.txt", "B.txt", "c.txt", "New_Filename_01"};
        QTest::newRow("names equal but for case: exact code units")
            << QStringList{"A.TXT", "A.txt", "a.TXT", "a.txt"};
        QTest::newRow("ordinal, not natural") << QStringList{"f10", "f9", "Zeta", "_under"};
        QTest::newRow("shared prefix, differing late")
            << QStringList{"New_Filename_0001", "new_filename_0002", "New_Filename_001",
                           "xxABCDEFGHIJ0", "XXabcdefghij1"};
        QTest::newRow("beyond ASCII: each unit upper-cased on its own")
            << QStringList{"stra\u00dfe", "Z", "\u00e9", "\u00c9t\u00e9", "\u4e2d"};
        QTest::newRow("bytes that are not UTF-8 after the BMP letters")
            << QStringList{"\u4e2d", FileNameCodec::decode(QByteArray("\xe9t\xe9")),
                           FileNameCodec::decode(QByteArray("\xff")), "\uff21"};
    }

    // The list comes in name order, whatever order the file system keeps.
    void nameOrder()
    {
        QFETCH(QStringList, names);
        TempFolder dir;
        for (qsizetype i = names.size() - 1; i >= 0; --i)
            QVERIFY(dir.write(names[i], "x"));
        PosixFileSystem fs;
        FileListModel::Rows rows;
        FolderScan::scan(fs, dir.path(), QStringLiteral("*"), rows);
        FileListModel model;
        model.setRows(std::move(rows));
        QStringList listed;
        for (int i = 0; i <= model.lastIndex(); ++i)
            listed << model.currentNameAt(i);
        QCOMPARE(listed, names);
    }

    // A rescan lists the folder afresh, in name order: the first click on the
    // column sorted before sorts it ascending and says so.
    void rescanForgetsTheLastSort()
    {
        ScannedFolder f({{"b", "B"}, {"c", "C"}, {"a", "A"}});
        f.session.sortByHeader(3);
        f.session.scanFolder();
        QCOMPARE(f.session.sorter().lastSortColumn(), 0);
        f.session.sortByHeader(3);
        QCOMPARE(f.names(), (QStringList{"a", "b", "c"}));
        QCOMPARE(f.session.sorter().lastSortColumn(), 3);
        QVERIFY(!f.session.sorter().lastSortDescending());
    }

    void oneThreadAndEveryCoreAgree_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("names equal but for case") << "case";
        QTest::newRow("bytes that are not UTF-8") << "bytes";
        QTest::newRow("long names sharing a long start") << "long";
        QTest::newRow("links, dangling links and stored dates") << "links";
    }

    // The scan split over threads gives the very rows, in the very order, of
    // the scan on one thread, also where every part holds only a few files.
    void oneThreadAndEveryCoreAgree()
    {
        QFETCH(QString, kind);
        TempFolder dir;
        PosixFileSystem fs;
        for (int i = 0; i < 1500; ++i) {
            const QString n = QString::number(i * 7919 % 1500);
            if (kind == QLatin1String("case")) {
                static const char* const cases[] = {"file", "FILE", "File", "fILE"};
                QVERIFY(dir.write(QLatin1String(cases[i % 4]) + QString::number(i / 4)));
            } else if (kind == QLatin1String("bytes")) {
                QVERIFY(dir.write(FileNameCodec::decode("\xe9t\xff" + n.toLatin1() + "\xc3")));
            } else if (kind == QLatin1String("long")) {
                QVERIFY(dir.write(QString(60, QChar(0x4e2d)) + n + QString(40, u'z')));
            } else if (i % 3 == 0) { // to the next file, which may not be there
                const QString next = QString::number((i + 1) * 7919 % 1500);
                QVERIFY(QFile::link(next, dir.file(QStringLiteral("link") + n)));
            } else {
                QVERIFY(dir.write(n, QByteArray(i % 50, 'x')));
                if (i % 3 == 1)
                    QCOMPARE(fs.setCreationTime(dir.file(n), {1000000000 + i * 3600, 0}), 0);
            }
        }
        QStringList texts[2];
        for (const unsigned parts : {1u, 4u}) {
            SplitWork::setMaxParts(parts);
            FileListModel::Rows rows;
            FolderScan::scan(fs, dir.path(), QStringLiteral("*"), rows);
            FileListModel model;
            model.setRows(std::move(rows));
            for (int r = 0; r <= model.lastIndex(); ++r)
                texts[parts > 1] << ListRows::commaText(model, r);
        }
        SplitWork::setMaxParts(0);
        QCOMPARE(texts[0].size(), 1500);
        QCOMPARE(texts[1], texts[0]);
    }

    void rowTexts()
    {
        TempFolder dir;
        QVERIFY(dir.write(QStringLiteral("big.bin")));
        const QString path = dir.file(QStringLiteral("big.bin"));
        const int fd = ::open(FileNameCodec::encode(path).constData(), O_WRONLY);
        QVERIFY(fd >= 0);
        QCOMPARE(::ftruncate(fd, 3000000000LL), 0); // sparse
        ::close(fd);
        PosixFileSystem fs;
        QCOMPARE(fs.setCreationTime(path, {1577934245, 0}), 0);
        QCOMPARE(fs.setModifiedTime(path, {1577923200, 0}), 0);
        FileListModel::Rows rows;
        FolderScan::scan(fs, dir.path(), QStringLiteral("*"), rows);
        FileListModel model;
        model.setRows(std::move(rows));
        QCOMPARE(ListRows::commaText(model, 0),
                 QStringLiteral("1/2/2020 3:04:05 AM,1/2/2020,big.bin,,3,000,000,000"));
    }

    void emptyOrMissingFolderGivesOneEmptyRecord_data()
    {
        QTest::addColumn<bool>("withSubfolder");
        QTest::addColumn<bool>("missing");
        QTest::newRow("only subfolders") << true << false;
        QTest::newRow("missing folder") << false << true;
    }

    void emptyOrMissingFolderGivesOneEmptyRecord()
    {
        QFETCH(bool, withSubfolder);
        QFETCH(bool, missing);
        TempFolder dir;
        if (withSubfolder)
            QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));
        PosixFileSystem fs;
        PromptRecorder prompts;
        Session session(fs, prompts);
        session.setFolder(missing ? dir.file(QStringLiteral("gone")) : dir.path());
        session.scanFolder();
        QCOMPARE(session.lastPosition(), -1);
        QCOMPARE(session.padding(), QStringLiteral("0"));
        QCOMPARE(session.model().lastIndex(), 0);
        QCOMPARE(ListRows::commaText(session.model(), 0), QStringLiteral(",,,,"));
        QVERIFY(prompts.messages.isEmpty());
    }

    // The program reads its start folder ahead; the first listing takes
    // that result only for the same folder and filter, and only once.
    void scanAheadServesOnlyItsOwnListing_data()
    {
        QTest::addColumn<bool>("otherFolder");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("listed");
        QTest::newRow("same folder") << false << "*" << QStringList{"a.txt", "b.dat"};
        QTest::newRow("other folder") << true << "*" << QStringList{"c.txt"};
        QTest::newRow("other filter") << false << "*.TXT" << QStringList{"a.txt"};
    }

    void scanAheadServesOnlyItsOwnListing()
    {
        QFETCH(bool, otherFolder);
        QFETCH(QString, filter);
        QFETCH(QStringList, listed);
        TempFolder a, b;
        QVERIFY(a.write(QStringLiteral("a.txt")) && a.write(QStringLiteral("b.dat")));
        QVERIFY(b.write(QStringLiteral("c.txt")));
        PosixFileSystem fs;
        PromptRecorder prompts;
        Session session(fs, prompts);
        session.setScanAhead(std::make_unique<ScanAhead>(fs, a.path(), QStringLiteral("*")));
        const TempFolder& shown = otherFolder ? b : a;
        session.setFolder(shown.path());
        session.setTypeFilter(filter);
        session.scanFolder();
        QCOMPARE(listedNames(session), listed);
        QVERIFY(shown.write(QStringLiteral("d.txt")));
        session.scanFolder();
        QVERIFY(listedNames(session).contains(QStringLiteral("d.txt")));
    }

    void unreadableEntryIsListedWithTheZeroDate()
    {
        // An entry that vanished between the listing and its stat (or whose
        // times cannot be read) is still listed, with the zero creation date,
        // no modified date and no size.
        class VanishingFolder : public PosixFileSystem
        {
        public:
            int enumerate(const QString&, bool,
                          const std::function<bool(const Entry&)>& visit) override
            {
                Entry e;
                e.name = QStringLiteral("gone.txt");
                visit(e);
                return 0;
            }
        } fs;
        FileListModel::Rows rows;
        FolderScan::scan(fs, QStringLiteral("/x"), QStringLiteral("*"), rows);
        FileListModel model;
        model.setRows(std::move(rows));
        QCOMPARE(ListRows::commaText(model, 0), QStringLiteral("12/30/1899,,gone.txt,,"));
    }

    void stopsAfterTheCap_data()
    {
        QTest::addColumn<int>("files");
        QTest::addColumn<bool>("leftOut");
        QTest::newRow("exactly as many as the list takes") << 1000001 << false;
        QTest::newRow("more") << 1000005 << true;
    }

    void stopsAfterTheCap()
    {
        QFETCH(int, files);
        QFETCH(bool, leftOut);
        // A folder of many files, without making them.
        class HugeFolder : public PosixFileSystem
        {
        public:
            int enumerate(const QString&, bool,
                          const std::function<bool(const Entry&)>& visit) override
            {
                Entry e;
                e.statOk = true;
                for (visited = 0; visited < files; ++visited) {
                    e.name = QString::number(visited);
                    if (!visit(e))
                        break;
                }
                return 0;
            }
            int files = 0;
            int visited = 0;
        } fs;
        fs.files = files;
        FileListModel::Rows rows;
        const auto result =
            FolderScan::scan(fs, QStringLiteral("/huge"), QStringLiteral("*"), rows);
        QCOMPARE(result.fileLast, 1000000);
        QCOMPARE(rows.count(), 1000001);
        QCOMPARE(fs.visited, 1000001);
        QCOMPARE(result.leftOut, leftOut);
    }
};

QTEST_GUILESS_MAIN(TestFolderScan)
#include "TestFolderScan.moc"
