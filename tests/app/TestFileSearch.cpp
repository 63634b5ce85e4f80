#include "ForwardingFileSystem.h"
#include "PromptRecorder.h"
#include "TempFolder.h"

#include "app/FileSearch.h"
#include "app/Session.h"

#include <QSignalSpy>
#include <QtTest>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <optional>

using Answer = std::optional<QString>;
using Files = QMap<QString, QByteArray>;
Q_DECLARE_METATYPE(Answer)
Q_DECLARE_METATYPE(Files)

namespace
{

const QString NamePrompt = QStringLiteral("Search current filename list for :");
const QString ContentPrompt = QStringLiteral(
    "Search inside all files in the current file list for :\n\nThis will open each and every "
    "file in the current directory and search for the selected character string. Files with "
    "the search string will be displayed when search is finished. (Upper and lower case "
    "charaters are different)");

struct Listed {
    explicit Listed(const Files& files)
    {
        for (auto it = files.begin(); it != files.end(); ++it)
            dir.write(it.key(), it.value());
        session.Dr = dir.path();
        session.ListRefresh();
        prompter.busyChanges.clear();
    }
    QStringList names() const
    {
        QStringList out;
        for (int p = 0; p <= session.FileLast; ++p)
            out << session.model().SourceName(p);
        return out;
    }
    TempFolder dir;
    ForwardingFileSystem fs;
    PromptRecorder prompter;
    Session session{fs, prompter};
};

// Reads like a file of `size` bytes holding `needle` at `at`, without the
// disk: a file far larger than memory costs nothing to "store".
class HugeFile : public ForwardingFileSystem
{
public:
    qint64 size = 0;
    qint64 at = 0;
    QByteArray needle;
    qsizetype largestChunk = 0;

    int readChunks(const QString& path, qsizetype chunkSize,
                   const std::function<bool(const QByteArray&)>& visit) override
    {
        if (!path.endsWith(QLatin1String("/huge")))
            return ForwardingFileSystem::readChunks(path, chunkSize, visit);
        largestChunk = qMax(largestChunk, chunkSize);
        QByteArray chunk(chunkSize, 'z');
        for (qint64 offset = 0; offset < size; offset += chunkSize) {
            const qint64 length = qMin<qint64>(chunkSize, size - offset);
            chunk.fill('z', length);
            for (qsizetype i = 0; i < needle.size(); ++i) {
                if (at + i >= offset && at + i < offset + length)
                    chunk[at + i - offset] = needle[i];
            }
            if (!visit(chunk))
                break;
        }
        return 0;
    }
};

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
    void byName_data();
    void byName();
    void byContent_data();
    void byContent();
    void nothingFoundChangesNothing_data();
    void nothingFoundChangesNothing();
    void chunkSeams_data();
    void chunkSeams();
    void hugeFileInBoundedMemory();
};

void TestFileSearch::byName_data()
{
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<QStringList>("found");

    QTest::newRow("capitals") << Answer("Alpha") << QStringList{"Alpha.txt"};
    QTest::newRow("lower case") << Answer("alpha") << QStringList{"alpha.log"};
    QTest::newRow("in the middle") << Answer("pha.") << QStringList{"Alpha.txt", "alpha.log"};
    QTest::newRow("empty answer keeps all")
        << Answer(QString()) << QStringList{"Alpha.txt", "alpha.log", "beta.TXT"};
    QTest::newRow("cancelled keeps all")
        << Answer() << QStringList{"Alpha.txt", "alpha.log", "beta.TXT"};
}

void TestFileSearch::byName()
{
    QFETCH(Answer, answer);
    QFETCH(QStringList, found);
    Listed listed({{"Alpha.txt", QByteArray(1234, 'a')}, {"alpha.log", "b"}, {"beta.TXT", "c"}});
    const FileListModel& model = listed.session.model();
    const QStringList before = listed.names();
    const int alpha = model.recordAt(int(before.indexOf("Alpha.txt")));
    const QString alphaModified = model.dateText2(alpha);
    listed.session.model().DesChange(0, QStringLiteral("stale"));

    listed.prompter.inputAnswers = {answer};
    const auto outcome = FileSearch(listed.session).FindInFile(FileSearch::Names);

    QCOMPARE(outcome, FileSearch::Outcome::Replaced);
    QCOMPARE(listed.prompter.prompts, QStringList(NamePrompt));
    QCOMPARE(listed.prompter.titles, QStringList(QStringLiteral("Search")));
    QStringList expected = before; // in the order shown before the search
    expected.removeIf([&](const QString& name) { return !found.contains(name); });
    QCOMPARE(listed.names(), expected);
    QCOMPARE(listed.session.FileLast, found.size() - 1);
    for (int p = 0; p < found.size(); ++p) {
        QCOMPARE(model.GetContentNo(model.recordAt(p)), p + 1);
        QVERIFY(!model.DesName(p).isEmpty());
        QVERIFY(model.DesName(p) != QLatin1String("stale"));
    }
    const qsizetype at = expected.indexOf("Alpha.txt");
    if (at >= 0) {
        QCOMPARE(model.sizeText(model.recordAt(int(at))).toString(), QStringLiteral("1,234"));
        QCOMPARE(model.dateText2(model.recordAt(int(at))), alphaModified);
    }
}

void TestFileSearch::byContent_data()
{
    QTest::addColumn<Files>("files");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QStringList>("found");

    QTest::newRow("letter case") << Files{{"one", "Hello World"}, {"two", "hello world"}} << "Hello"
                                 << QStringList{"one"};
    QTest::newRow("empty file") << Files{{"empty", ""}, {"full", "x"}} << "x"
                                << QStringList{"full"};
    QTest::newRow("at the very start and end")
        << Files{{"start", "key..."}, {"end", "...key"}, {"none", "ke y"}} << "key"
        << QStringList{"start", "end"};
    QTest::newRow("UTF-8 bytes") << Files{{"utf8", "gr\xc3\xbc\xc3\x9f"
                                                   "e"},
                                          {"latin1", "gr\xfc\xdf"
                                                     "e"}}
                                 << QString::fromUtf8("grüße") << QStringList{"utf8"};
    QTest::newRow("binary file") << Files{{"bin", QByteArray("\0\0needle\xff", 10)}, {"txt", "n"}}
                                 << "needle" << QStringList{"bin"};
    QTest::newRow("text longer than the file")
        << Files{{"short", "nee"}, {"long", "needle"}} << "needle" << QStringList{"long"};
}

void TestFileSearch::byContent()
{
    QFETCH(Files, files);
    QFETCH(QString, answer);
    QFETCH(QStringList, found);
    Listed listed(files);
    const QStringList before = listed.names();
    FileSearch search(listed.session);
    QSignalSpy captions(&search, &FileSearch::captionChanged);

    listed.prompter.inputAnswers = {answer};
    QCOMPARE(search.FindInFile(FileSearch::Contents, QStringLiteral("Quillon")),
             FileSearch::Outcome::Replaced);

    QCOMPARE(listed.prompter.prompts, QStringList(ContentPrompt));
    QCOMPARE(listed.prompter.titles, QStringList(QStringLiteral("Search")));
    QStringList shown = listed.names();
    shown.sort();
    found.sort();
    QCOMPARE(shown, found);
    QCOMPARE(listed.session.FileLast, found.size() - 1);
    // Each file named in the caption as it is read, then the caption put back.
    QStringList expectedCaptions;
    for (const QString& name : before)
        expectedCaptions << QStringLiteral("Searching File ") + name;
    expectedCaptions << QStringLiteral("Quillon");
    QStringList seen;
    for (const QVariantList& signal : std::as_const(captions))
        seen << signal.at(0).toString();
    QCOMPARE(seen, expectedCaptions);
    QCOMPARE(listed.prompter.busyChanges.first(), true);
    QCOMPARE(listed.prompter.busyChanges.last(), false);
}

void TestFileSearch::nothingFoundChangesNothing_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<QString>("change"); // done to "b" after the scan
    QTest::addColumn<QStringList>("messages");

    const QStringList none{QStringLiteral("No files found...")};
    QTest::newRow("name not found") << 0 << Answer("zz") << "" << none;
    QTest::newRow("content not found") << 1 << Answer("zz") << "" << none;
    QTest::newRow("content, empty answer") << 1 << Answer(QString()) << "" << QStringList();
    QTest::newRow("content, cancelled") << 1 << Answer() << "" << QStringList();
    QTest::newRow("content, file gone") << 1 << Answer("bbb") << "delete" << none;
    QTest::newRow("content, file became a pipe") << 1 << Answer("bbb") << "fifo" << none;
    QTest::newRow("content, file unreadable") << 1 << Answer("bbb") << "fault" << none;
}

void TestFileSearch::nothingFoundChangesNothing()
{
    QFETCH(int, index);
    QFETCH(Answer, answer);
    QFETCH(QString, change);
    QFETCH(QStringList, messages);
    Listed listed({{"a", "aaa"}, {"b", "bbb"}, {"c", "ccc"}});
    const QByteArray b = listed.dir.file("b").toLocal8Bit();
    if (change == QLatin1String("delete") || change == QLatin1String("fifo"))
        QVERIFY(::unlink(b) == 0);
    if (change == QLatin1String("fifo"))
        QVERIFY(::mkfifo(b, 0644) == 0);
    if (change == QLatin1String("fault"))
        listed.fs.failOn(QStringLiteral("readChunks"), QStringLiteral("b"), 70);
    const QStringList before = listed.names();
    listed.session.model().DesChange(1, QStringLiteral("kept.txt"));

    listed.prompter.inputAnswers = {answer};
    const auto outcome = FileSearch(listed.session).FindInFile(index);

    QCOMPARE(outcome,
             messages.isEmpty() ? FileSearch::Outcome::Cancelled : FileSearch::Outcome::NoneFound);
    QCOMPARE(listed.prompter.messages, messages);
    QCOMPARE(listed.names(), before);
    QCOMPARE(listed.session.FileLast, 2);
    QCOMPARE(listed.session.model().DesName(1), QStringLiteral("kept.txt"));
}

// Whatever the chunk size, the search finds exactly what a search of the
// whole file finds: every text of up to six letters over a two-letter
// alphabet (plenty of near misses at every seam) in a fixed file.
void TestFileSearch::chunkSeams_data()
{
    QTest::addColumn<qsizetype>("chunkSize");
    for (qsizetype size : {1, 2, 3, 4, 5, 7, 16, 61})
        QTest::addRow("chunks of %lld", qlonglong(size)) << size;
}

void TestFileSearch::chunkSeams()
{
    QFETCH(qsizetype, chunkSize);
    QByteArray content;
    for (quint32 x = 7; content.size() < 60;)
        content += (x = x * 1103515245u + 12345u) & 0x10000 ? 'a' : 'b';
    Listed listed({{"f", content}});
    FileSearch search(listed.session);
    int compared = 0;
    for (int length = 1; length <= 6; ++length) {
        for (int bits = 0; bits < (1 << length); ++bits) {
            QByteArray needle;
            for (int i = 0; i < length; ++i)
                needle += (bits >> i) & 1 ? 'a' : 'b';
            const bool whole = content.contains(needle);
            if (search.fileContains(listed.dir.file("f"), needle, chunkSize) != whole)
                QFAIL(qPrintable(
                    QStringLiteral("\"%1\" in \"%2\"")
                        .arg(QString::fromLatin1(needle), QString::fromLatin1(content))));
            ++compared;
        }
    }
    QCOMPARE(compared, 126);
}

// A 5 GiB file is searched in chunks: memory does not grow with it, and a
// text across the seam of two chunks near its end is found.
void TestFileSearch::hugeFileInBoundedMemory()
{
    Listed listed({{"huge", ""}, {"small", "needl"}});
    HugeFile fs;
    fs.size = 5LL << 30;
    fs.needle = "needle";
    fs.at = fs.size - FileSearch::DefaultChunkSize - 3;
    Session session(fs, listed.prompter);
    session.Dr = listed.dir.path();
    session.ListRefresh();
    const long before = peakKiB();

    listed.prompter.inputAnswers = {QStringLiteral("needle")};
    QCOMPARE(FileSearch(session).FindInFile(FileSearch::Contents), FileSearch::Outcome::Replaced);

    QCOMPARE(session.FileLast, 0);
    QCOMPARE(session.model().SourceName(0), QStringLiteral("huge"));
    QVERIFY(fs.largestChunk <= 4 << 20);
    QVERIFY2(peakKiB() - before < 64 * 1024, "memory grew with the file");
}

QTEST_GUILESS_MAIN(TestFileSearch)
#include "TestFileSearch.moc"
