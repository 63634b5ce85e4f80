// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScannedFolder.h"

#include "app/FileSearch.h"

#include <QSignalSpy>
#include <QtTest>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <optional>

using Answer = std::optional<QString>;
Q_DECLARE_METATYPE(Answer)
Q_DECLARE_METATYPE(Files)

namespace
{

const QStringList Prompts{
    "Search current filename list for :",
    "Search inside all files in the current file list for :\n\nThis will open each and every "
    "file in the current directory and search for the selected character string. Files with "
    "the search string will be displayed when search is finished. (Upper and lower case "
    "charaters are different)"};

// Reads "huge" as 5 GiB of "z" holding `needle` at `at`, without the disk.
class HugeFile : public LoggingFileSystem
{
public:
    const qint64 size = 5LL << 30;
    const QByteArray needle = "needle";
    const qint64 at = size - FileSearch::DefaultChunkSize - 3; // across a seam
    qsizetype largestChunk = 0;

    int readChunks(const QString& path, qsizetype chunkSize,
                   const std::function<bool(const QByteArray&)>& visit) override
    {
        if (!path.endsWith(QLatin1String("/huge")))
            return LoggingFileSystem::readChunks(path, chunkSize, visit);
        largestChunk = qMax(largestChunk, chunkSize);
        QByteArray chunk(chunkSize, 'z');
        for (qint64 offset = 0; offset < size; offset += chunkSize) {
            chunk.fill('z', qMin<qint64>(chunkSize, size - offset));
            for (qint64 i = qMax(at, offset); i < qMin(at + 6, offset + chunk.size()); ++i)
                chunk[i - offset] = needle[i - at];
            if (!visit(chunk))
                break;
        }
        return 0;
    }
};

// The menu's entry 0 searches names, 1 contents.
FileSearch::Outcome searchEntry(FileSearch& search, int index, const QString& caption = QString())
{
    return index == 0 ? search.searchNames(caption) : search.searchContents(caption);
}

long peakKiB()
{
    struct rusage usage;
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

class TestFileSearch : public QObject
{
    Q_OBJECT
private slots:
    void matches_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<Files>("files");
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<QStringList>("found");

        const Files names{{"Alpha.txt", QByteArray(1234, 'a')}, {"alpha.log", ""}, {"beta", ""}};
        // clang-format off
        QTest::newRow("name, capitals") << 0 << names << Answer("ALPHA") << QStringList{"Alpha.txt", "alpha.log"};
        QTest::newRow("name, capitals, case matched") << 2 << names << Answer("Alpha") << QStringList{"Alpha.txt"};
        QTest::newRow("name, empty answer") << 0 << names << Answer("") << names.keys();
        QTest::newRow("name, cancelled") << 0 << names << Answer() << names.keys();
        QTest::newRow("content, letter case") << 1 << Files{{"one", "Hi You"}, {"two", "hi you"}}
            << Answer("Hi") << QStringList{"one"};
        QTest::newRow("content, empty file") << 1 << Files{{"empty", ""}, {"full", "x"}}
            << Answer("x") << QStringList{"full"};
        QTest::newRow("content, start and end")
            << 1 << Files{{"start", "key.."}, {"end", "..key"}, {"none", "ke y"}} << Answer("key")
            << QStringList{"end", "start"};
        QTest::newRow("content, UTF-8 bytes")
            << 1 << Files{{"utf8", "gr\xc3\xbc\xc3\x9f" "e"}, {"latin1", "gr\xfc\xdf" "e"}}
            << Answer(QString::fromUtf8("grüße")) << QStringList{"utf8"};
        QTest::newRow("content, binary file")
            << 1 << Files{{"bin", QByteArray("\0\0needle\xff", 10)}, {"short", "needl"}}
            << Answer("needle") << QStringList{"bin"};
        // clang-format on
    }

    void matches()
    {
        QFETCH(int, index);
        QFETCH(Files, files);
        QFETCH(Answer, answer);
        QFETCH(QStringList, found);
        ScannedFolder folder(files);
        const FileListModel& model = folder.session.model();
        const QStringList before = folder.names();
        const QString scannedModified = model.modifiedDateText(model.recordAt(0));
        folder.prompter.busyChanges.clear();
        FileSearch search(folder.session);
        QSignalSpy captions(&search, &FileSearch::captionChanged);

        folder.prompter.inputAnswers = {answer};
        // Index 2 stands for the name search with "Match case" ticked.
        search.setNameCaseSensitivity(index == 2 ? Qt::CaseSensitive : Qt::CaseInsensitive);
        if (index == 2)
            index = 0;
        QCOMPARE(searchEntry(search, index, "Quillon"), FileSearch::Outcome::Replaced);

        QCOMPARE(folder.prompter.prompts, QStringList(Prompts[index]));
        QCOMPARE(folder.prompter.titles, QStringList("Search"));
        // The matches, in the order shown before, numbered from 1, with new names.
        QStringList expected = before;
        expected.removeIf([&](const QString& name) { return !found.contains(name); });
        QCOMPARE(folder.names(), expected);
        QCOMPARE(folder.session.lastPosition(), found.size() - 1);
        for (int p = 0; p < found.size(); ++p) {
            QCOMPARE(model.recordNumber(model.recordAt(p)), p + 1);
            QVERIFY(!model.newNameAt(p).isEmpty());
        }
        if (expected.first() == before.first())
            QCOMPARE(model.modifiedDateText(model.recordAt(0)), scannedModified);
        if (expected.first() == QLatin1String("Alpha.txt"))
            QCOMPARE(model.sizeText(model.recordAt(0)), QStringLiteral("1,234"));
        // The content search names each file in the caption, then puts it back.
        QStringList captionsSeen, captionsExpected;
        for (const QVariantList& signal : std::as_const(captions))
            captionsSeen << signal.at(0).toString();
        for (const QString& name : before)
            captionsExpected << "Searching File " + name;
        QCOMPARE(captionsSeen, (index == 0 ? QStringList() : captionsExpected) << "Quillon");
        const QList<bool>& busy = folder.prompter.busyChanges;
        if (index == 1) // busy from the first file to the end
            QCOMPARE(QList<bool>({busy.value(0), busy.value(busy.size() - 1, true)}),
                     QList<bool>({true, false}));
    }

    void nothingFoundChangesNothing_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<QString>("change"); // done to "b" after the scan
        QTest::addColumn<QStringList>("messages");

        const QStringList none{"No files found..."};
        // clang-format off
        QTest::newRow("name not found") << 0 << Answer("zz") << "" << none;
        QTest::newRow("content not found") << 1 << Answer("zz") << "" << none;
        QTest::newRow("content, empty answer") << 1 << Answer("") << "" << QStringList();
        QTest::newRow("content, cancelled") << 1 << Answer() << "" << QStringList();
        QTest::newRow("content, file gone") << 1 << Answer("bbb") << "delete" << none;
        QTest::newRow("content, file became a pipe") << 1 << Answer("bbb") << "fifo" << none;
        QTest::newRow("content, file unreadable") << 1 << Answer("bbb") << "fault" << none;
        // clang-format on
    }

    // Unreadable, vanished and odd files do not match and do not stop the
    // search; when nothing matches, list and new names stay as they were.
    void nothingFoundChangesNothing()
    {
        QFETCH(int, index);
        QFETCH(Answer, answer);
        QFETCH(QString, change);
        QFETCH(QStringList, messages);
        ScannedFolder folder({{"a", "aaa"}, {"b", "bbb"}, {"c", "ccc"}});
        const QByteArray b = folder.dir.file("b").toLocal8Bit();
        if (change == QLatin1String("delete") || change == QLatin1String("fifo"))
            QVERIFY(::unlink(b) == 0);
        if (change == QLatin1String("fifo"))
            QVERIFY(::mkfifo(b, 0644) == 0);
        if (change == QLatin1String("fault"))
            folder.fs.failOn("readChunks", "b", 70);
        const QStringList before = folder.names();
        folder.session.model().setNewNameAt(1, u"kept.txt");

        folder.prompter.inputAnswers = {answer};
        FileSearch search(folder.session);
        const auto outcome = searchEntry(search, index);

        QCOMPARE(outcome, messages.isEmpty() ? FileSearch::Outcome::Cancelled
                                             : FileSearch::Outcome::NoneFound);
        QCOMPARE(folder.prompter.messages, messages);
        QCOMPARE(folder.names(), before);
        QCOMPARE(folder.session.lastPosition(), 2);
        QCOMPARE(folder.session.model().newNameAt(1), QStringLiteral("kept.txt"));
    }

    // Whatever the chunk size, the search finds what a search of the whole file
    // finds: every text of up to six letters over a two-letter alphabet (near
    // misses at every seam) in a fixed file of 60.
    void chunkSeams_data()
    {
        QTest::addColumn<qsizetype>("chunkSize");
        for (qsizetype size : {1, 2, 3, 4, 5, 7, 16, 61})
            QTest::addRow("chunks of %lld", qlonglong(size)) << size;
    }

    void chunkSeams()
    {
        QFETCH(qsizetype, chunkSize);
        QByteArray content;
        for (quint32 x = 7; content.size() < 60;)
            content += (x = x * 1103515245u + 12345u) & 0x10000 ? 'a' : 'b';
        ScannedFolder folder({{"f", content}});
        FileSearch search(folder.session);
        for (int length = 1; length <= 6; ++length) {
            for (int bits = 0; bits < (1 << length); ++bits) {
                QByteArray needle;
                for (int i = 0; i < length; ++i)
                    needle += (bits >> i) & 1 ? 'a' : 'b';
                if (search.fileContains(folder.dir.file("f"), needle, chunkSize) !=
                    content.contains(needle))
                    QFAIL((needle + " in " + content).constData());
            }
        }
    }

    // A 5 GiB file costs no more memory than a small one, and a text across the
    // seam of two chunks near its end is found.
    void hugeFileInBoundedMemory()
    {
        ScannedFolder folder({{"huge", ""}, {"small", "needl"}});
        HugeFile fs;
        Session session(fs, folder.prompter);
        session.setFolder(folder.dir.path());
        session.scanFolder();
        const long before = peakKiB();

        folder.prompter.inputAnswers = {QStringLiteral("needle")};
        QCOMPARE(FileSearch(session).searchContents(), FileSearch::Outcome::Replaced);

        QCOMPARE(session.lastPosition(), 0);
        QCOMPARE(session.model().currentNameAt(0), QStringLiteral("huge"));
        QVERIFY(fs.largestChunk <= 4 << 20);
        QVERIFY2(peakKiB() - before < 64 * 1024, "memory grew with the file");
    }
};

QTEST_GUILESS_MAIN(TestFileSearch)
#include "TestFileSearch.moc"
