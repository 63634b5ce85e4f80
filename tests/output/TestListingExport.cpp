#include "output/CsvListingWriter.h"
#include "output/ExcelFile.h"
#include "output/ListingExport.h"
#include "output/RtfListingWriter.h"
#include "output/XlsListingWriter.h"
#include "platform/FileNameCodec.h"
#include "platform/PosixFileSystem.h"

#include "PromptRecorder.h"
#include "ScratchMount.h"
#include "TempFolder.h"

#include <QBuffer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QTest>

#include <sys/stat.h>

namespace
{

const QString Dr = QStringLiteral("/data/photos");
const QString Title = QStringLiteral("Directory /data/photos");

// The files of the test folder and their sizes on disk.
const QList<QPair<QString, int>> Files = {
    {QStringLiteral("a.txt"), 10},     {QStringLiteral("b,c d.txt"), 3},
    {QStringLiteral("ünï 名.txt"), 0}, {QStringLiteral("br{a}ce\\s.txt"), 5},
    {QStringLiteral("😀.txt"), 1},
};

QString dateOf(int record)
{
    return QStringLiteral("1/%1/2020 3:04:05 AM").arg(record + 1);
}

// Loads the model as a scan would, with a size text that is not the size on
// disk: the listing must read the disk. An empty list is one empty row.
void load(FileListModel& model, const QStringList& names, const QStringList& dates = {})
{
    QStringList rows;
    for (int i = 0; i < names.size(); ++i)
        rows << dates.value(i, dateOf(i)) + QStringLiteral("|d2|") + names[i] +
                    QStringLiteral("||999");
    if (rows.isEmpty())
        rows << QString();
    model.AddArray(rows);
}

QStringList listedNames()
{
    QStringList names;
    for (const auto& f : Files)
        names << f.first;
    return names;
}

void fill(const TempFolder& dir)
{
    for (const auto& f : Files)
        QVERIFY(dir.write(f.first, QByteArray(f.second, 'x')));
}

// Reads a file the test made (ASCII paths only).
QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray csvRow(int no, const QString& date, int size, const QString& name)
{
    return QString(QString::number(no) + u',' + date + u',' + QString::number(size) + u',' + name +
                   QStringLiteral("\r\n"))
        .toUtf8();
}

QByteArray padded(const QByteArray& text, int width)
{
    return text.left(width).leftJustified(width, ' ');
}

QByteArray rtfRow(int no, const QByteArray& date, int size, const QByteArray& name)
{
    return padded(QByteArray::number(no), 10) + padded(date, 26) +
           padded(QByteArray::number(size), 16) + name + "\\par\n\r\n";
}

const QByteArray CsvHead = "No,Date/Time,Byte Size,Filenames at Directory /data/photos\r\n";
const QByteArray RtfHead =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang3081{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}"
    "{\\f1\\fmodern\\fprq1\\fcharset0 Courier New;}}\n\r\n"
    "{\\*\\generator Quillon 4 ;}\\viewkind4\\uc1\\pard\\f0\\fs28 Directory /data/photos\\par\n\r\n"
    "\\par\n\r\n"
    "\\b\\f1 \\b0\\par\n\r\n"
    "\\b\\fs24 No.       Date/Time                 FileSize        Filename \\b0\\par\n\r\n";
const QByteArray RtfEnd = "}\n\r\n";

// The RTF form of each test file's name.
const QByteArray RtfNames[] = {"a.txt", "b,c d.txt", "\\'fcn\\'ef \\u21517\\'3f.txt",
                               "br\\{a\\}ce\\\\s.txt", "\\u-10179\\'3f\\u-8704\\'3f.txt"};

QByteArray writeWith(ListingExport::Type type, const ListingSource& source, FileSystem& fs)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    ExcelFile sheet(fs);
    std::unique_ptr<ListingWriter> writer;
    if (type == ListingExport::Type::Csv)
        writer = std::make_unique<CsvListingWriter>(buffer);
    else if (type == ListingExport::Type::Rtf)
        writer = std::make_unique<RtfListingWriter>(buffer);
    else {
        sheet.CreateFile(buffer);
        writer = std::make_unique<XlsListingWriter>(sheet);
    }
    ListingExport::writeListing(source, *writer, fs);
    writer.reset();
    return buffer.data();
}

// A file device that takes `room` bytes and then fails as a full disk does.
class FullDevice : public FileDevice
{
public:
    FullDevice(QByteArray& sink, qint64 room) : m_sink(sink), m_room(room)
    {
        open(QIODevice::WriteOnly);
    }
    int errorCode() const override { return m_error; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 len) override
    {
        const qint64 fits = qMin(len, m_room - m_sink.size());
        m_sink.append(data, fits);
        if (fits < len) {
            m_error = 61;
            return -1;
        }
        return len;
    }

private:
    QByteArray& m_sink;
    qint64 m_room;
    int m_error = 0;
};

// The real file system, except that new files go to a small "disk" in memory.
class FullDiskFileSystem : public PosixFileSystem
{
public:
    explicit FullDiskFileSystem(qint64 room) : m_room(room) {}
    std::unique_ptr<FileDevice> openForWriting(const QString&, int& error) override
    {
        error = 0;
        written.clear();
        return std::make_unique<FullDevice>(written, m_room);
    }
    QByteArray written;

private:
    qint64 m_room;
};

// Every listed file has 7 bytes: names too long for a real disk can be listed.
class SevenBytesFileSystem : public PosixFileSystem
{
public:
    int fileSize(const QString&, qint64& size) override
    {
        size = 7;
        return 0;
    }
};

QByteArray textCell(int row, int col, int hidden, int font, int align, const QByteArray& text)
{
    const char head[] = {
        4,         0, char(8 + text.size()), 0,          char(row),   char(row >> 8),
        char(col), 0, char(hidden),          char(font), char(align), char(text.size())};
    return QByteArray(head, sizeof head) + text;
}

// Reads the spreadsheet with Python's xlrd and prints its cells as JSON. The
// start record calls the sheet type 10, which LibreOffice and Excel take as a
// worksheet; xlrd knows only 16 for one, so the script tells it that 10 is a
// worksheet too. Everything after the start record is xlrd's own reading.
const char* XlrdScript = R"(
import json, sys, xlrd, xlrd.book
xlrd.book.XL_WORKSHEET = 0x000A
book = xlrd.open_workbook(sys.argv[1], encoding_override='cp1252')
sheet = book.sheet_by_index(0)
print(json.dumps([[sheet.cell_value(r, c) for c in range(sheet.ncols)] for r in range(sheet.nrows)]))
)";

} // namespace

class TestListingExport : public QObject
{
    Q_OBJECT
private slots:
    void fileNames_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("expected");
        auto row = [](const char* chosen, const char* type, const char* expected) {
            QTest::newRow(chosen) << QString::fromUtf8(chosen) << QString::fromLatin1(type)
                                  << QString::fromUtf8(expected);
        };
        row("list.txt", "csv", "list.csv");                     // another extension
        row("list", "rtf", "list.rtf");                         // no dot
        row("list.", "csv", "list.csv");                        // ending in a dot
        row(".profile", "xls", ".xls");                         // the only dot comes first
        row("a.b.txt", "RTF", "a.b.rtf");                       // letter case of the type
        row("list.csv", "txt", "list.xls");                     // any other type is a spreadsheet
        row("/tmp/dir.v2/list", "Csv", "/tmp/dir.v2/list.csv"); // a dot in a folder
    }

    void fileNames()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, type);
        QFETCH(QString, expected);
        QCOMPARE(ListingExport::fileNameFor(chosen, ListingExport::typeOf(type)), expected);
    }

    // The comma-separated and rich-text listings, byte for byte.
    void textListings_data()
    {
        QTest::addColumn<QStringList>("dates");
        QTest::addColumn<QList<int>>("order");
        QTest::addColumn<int>("fileLast");
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<QByteArray>("rtf");

        QByteArray csv = CsvHead, rtf = RtfHead;
        for (int i = 0; i < Files.size(); ++i) {
            csv += csvRow(i + 1, dateOf(i), Files[i].second, Files[i].first);
            rtf += rtfRow(i + 1, dateOf(i).toLatin1(), Files[i].second, RtfNames[i]);
        }
        QTest::newRow("scan order, commas and odd names")
            << QStringList() << QList<int>() << int(Files.size() - 1) << csv << rtf + RtfEnd;

        csv = CsvHead, rtf = RtfHead;
        for (int i : {3, 0, 2, 1}) {
            csv += csvRow(i + 1, dateOf(i), Files[i].second, Files[i].first);
            rtf += rtfRow(i + 1, dateOf(i).toLatin1(), Files[i].second, RtfNames[i]);
        }
        QTest::newRow("sorted: shown order, scan numbers")
            << QStringList() << QList<int>{3, 0, 2, 1} << 3 << csv << rtf + RtfEnd;

        QTest::newRow("empty list")
            << QStringList() << QList<int>() << -1 << CsvHead << RtfHead + RtfEnd;

        const QString longDate = QStringLiteral("Wednesday, January 1, 2020 3:04:05 AM");
        QTest::newRow("long date cut in the rich text")
            << QStringList{longDate} << QList<int>() << 0
            << CsvHead + csvRow(1, longDate, 10, QStringLiteral("a.txt"))
            << RtfHead + "1         Wednesday, January 1, 202010              a.txt\\par\n\r\n" +
                   RtfEnd;
    }

    void textListings()
    {
        QFETCH(QStringList, dates);
        QFETCH(QList<int>, order);
        QFETCH(int, fileLast);
        QFETCH(QByteArray, csv);
        QFETCH(QByteArray, rtf);
        TempFolder dir;
        fill(dir);
        FileListModel model;
        load(model, fileLast < 0 ? QStringList() : listedNames(), dates);
        for (int i = 0; i < order.size(); ++i)
            model.displayOrder()[size_t(i)] = order[i];
        const ListingSource source{model, fileLast, dir.path(), Dr};
        PosixFileSystem fs;
        QCOMPARE(writeWith(ListingExport::Type::Csv, source, fs), csv);
        QCOMPARE(writeWith(ListingExport::Type::Rtf, source, fs), rtf);
    }

    // The spreadsheet's calls in order, for a sorted list whose second row has
    // a name too long for a text cell: that cell alone is left out.
    void spreadsheetRecords()
    {
        FileListModel model;
        const QString longName = QString(256, u'n');
        load(model, {longName, QStringLiteral("a.txt")});
        model.displayOrder() = {1, 0};
        const ListingSource source{model, 1, QStringLiteral("/nowhere"), Dr};
        SevenBytesFileSystem fs;
        const QByteArray title = Title.toLatin1();
        QByteArray expected = QByteArray::fromHex(QByteArrayList{
            "0900040002000a00", "2b0002000000", // start, no grid lines
            "28000800000000000000e03f", "26000800000000000000e03f", "27000800000000000000e03f",
            "29000800000000000000e03f", // margins
            "31000a00b400000005417269616c", "31000a00b400010005417269616c",
            "31000a00b400040005417269616c", "31000a00b400030005417269616c", "240004000000000c",
            "240004000101000c", "240004000202000c", "240004000303003e"} // fonts and column widths
                                                      .join());
        expected += QByteArray::fromHex("14001700") + char(title.size()) + title;
        expected += QByteArray::fromHex("15001700") + char(title.size()) + title;
        expected += textCell(0, 0, 64, 64, 0, title);
        expected += textCell(2, 0, 0, 64, 1, "No.") + textCell(2, 1, 0, 64, 1, "Date / Time") +
                    textCell(2, 2, 0, 64, 1, "Filesize") + textCell(2, 3, 0, 64, 1, "Filename");
        expected += textCell(3, 0, 0, 0, 1, "2") + textCell(3, 1, 0, 0, 1, dateOf(1).toLatin1()) +
                    textCell(3, 2, 0, 0, 1, "7") + textCell(3, 3, 0, 0, 1, "a.txt");
        expected += textCell(4, 0, 0, 0, 1, "1") + textCell(4, 1, 0, 0, 1, dateOf(0).toLatin1()) +
                    textCell(4, 2, 0, 0, 1, "7");
        expected += QByteArray::fromHex("0a000000");
        QCOMPARE(writeWith(ListingExport::Type::Xls, source, fs).toHex(), expected.toHex());
    }

    // A listing of a real folder as a spreadsheet reader sees it.
    void spreadsheetOpensInXlrd()
    {
        QProcess probe;
        probe.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), "import xlrd"});
        if (!probe.waitForFinished(10000) || probe.exitStatus() != QProcess::NormalExit ||
            probe.exitCode() != 0)
            QSKIP("/usr/bin/python3 cannot import xlrd (Debian package python3-xlrd)");
        TempFolder dir;
        fill(dir);
        FileListModel model;
        load(model, listedNames());
        model.displayOrder() = {2, 1, 0, 3};
        PromptRecorder prompts;
        PosixFileSystem fs;
        const QString file = dir.file(QStringLiteral("listing.xls"));
        QVERIFY(ListingExport::SaveSource({model, 3, dir.path(), Dr}, file,
                                          ListingExport::Type::Xls, prompts, fs));
        QVERIFY(prompts.messages.isEmpty());

        QProcess python;
        python.start(QStringLiteral("/usr/bin/python3"),
                     {QStringLiteral("-c"), QString::fromLatin1(XlrdScript), file});
        QVERIFY(python.waitForFinished(20000));
        QCOMPARE(python.readAllStandardError(), QByteArray());
        QJsonArray expected = {
            QJsonArray{Title, "", "", ""},
            QJsonArray{"", "", "", ""},
            QJsonArray{"No.", "Date / Time", "Filesize", "Filename"},
        };
        for (int i : {2, 1, 0, 3})
            expected.append(QJsonArray{QString::number(i + 1), dateOf(i),
                                       QString::number(Files[i].second),
                                       i == 2 ? QStringLiteral("ünï ?.txt") : Files[i].first});
        QCOMPARE(QJsonDocument::fromJson(python.readAllStandardOutput()).array(), expected);
    }

    // SaveSource end to end: the name rule, the current folder, what is left
    // alone, and the messages.
    void saveSource_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("existing"); // "", "earlier", "read-only" or "folder"
        QTest::addColumn<QString>("written");  // the file that gets the listing
        QTest::addColumn<QString>("message");
        const QString readOnly =
            QStringLiteral("Cannot Read or Write file to the current protected Read-Only drive "
                           "or directory");
        auto row = [](const char* name, const char* chosen, const char* type, const char* existing,
                      const char* written, const QString& message) {
            QTest::newRow(name) << chosen << type << existing << written << message;
        };
        row("bare name, csv", "listing.txt", "csv", "", "listing.csv", {});
        row("bare name, rtf", "listing", "rtf", "", "listing.rtf", {});
        row("bare name, xls", "listing", "xls", "", "listing.xls", {});
        row("empty name", "", "csv", "", "", {});
        row("read-only csv kept", "old", "csv", "read-only", "", readOnly);
        row("read-only xls kept, silently", "old", "xls", "read-only", "", {});
        row("earlier xls replaced", "old", "xls", "earlier", "old.xls", {});
        row("missing folder, xls", "no/such/list", "xls", "", "", {});
        row("folder of that name", "old", "rtf", "folder", "", readOnly);
    }

    void saveSource()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, type);
        QFETCH(QString, existing);
        QFETCH(QString, written);
        QFETCH(QString, message);
        TempFolder dir, work;
        fill(dir);
        const QString target = QStringLiteral("old.") + type;
        const QByteArray before = "an earlier file";
        if (!existing.isEmpty() && existing != QLatin1String("folder"))
            QVERIFY(work.write(target, before));
        if (existing == QLatin1String("read-only")) {
            QVERIFY(::chmod(FileNameCodec::encode(work.file(target)).constData(), 0444) == 0);
        } else if (existing == QLatin1String("folder")) {
            QVERIFY(::mkdir(FileNameCodec::encode(work.file(target)).constData(), 0755) == 0);
        }
        FileListModel model;
        load(model, listedNames());
        PosixFileSystem fs;
        const QString home = fs.currentFolder();
        QCOMPARE(fs.setCurrentFolder(work.path()), 0);
        PromptRecorder prompts;
        const bool done = ListingExport::SaveSource({model, 3, dir.path(), Dr}, chosen,
                                                    ListingExport::typeOf(type), prompts, fs);
        fs.setCurrentFolder(home);

        QCOMPARE(done, !written.isEmpty());
        QCOMPARE(prompts.messages, message.isEmpty() ? QStringList() : QStringList{message});
        const QStringList expectedNames =
            written.isEmpty() ? (existing.isEmpty() ? QStringList() : QStringList{target})
                              : QStringList{written};
        QCOMPARE(work.names(), expectedNames);
        if (existing == QLatin1String("read-only"))
            QCOMPARE(work.read(target), before);
        if (!written.isEmpty())
            QVERIFY(work.read(written).size() > 200 && !work.read(written).startsWith(before));
        if (!prompts.busyChanges.isEmpty())
            QCOMPARE(prompts.busyChanges.last(), false);
    }

    // The export stops at the first error with its message; what was
    // written so far stays. A file gone since the scan stops it at its row
    // (error 53). A full disk stops the text listings with error 61; the
    // spreadsheet writer keeps quiet, but the export says it did not finish.
    void exportStops_data()
    {
        QTest::addColumn<ListingExport::Type>("type");
        QTest::addColumn<QString>("cause");
        QTest::addColumn<QString>("message");
        const QString gone = QStringLiteral("File or drive may be dammaged 53");
        const QString full = QStringLiteral("The Current Drive is full, Cannot read or write file");
        for (const char* cause : {"file gone", "full fake disk", "full tmpfs"}) {
            const bool isGone = cause[0] == 'f' && cause[1] == 'i';
            QTest::addRow("csv, %s", cause)
                << ListingExport::Type::Csv << cause << (isGone ? gone : full);
            QTest::addRow("rtf, %s", cause)
                << ListingExport::Type::Rtf << cause << (isGone ? gone : full);
            QTest::addRow("xls, %s", cause)
                << ListingExport::Type::Xls << cause << (isGone ? gone : QString());
        }
    }

    void exportStops()
    {
        QFETCH(ListingExport::Type, type);
        QFETCH(QString, cause);
        QFETCH(QString, message);
        std::unique_ptr<ScratchMount> disk;
        if (cause == QLatin1String("full tmpfs")) {
            disk = std::make_unique<ScratchMount>(ScratchMount::Tmpfs, QStringLiteral("size=16k"));
            if (!disk->available())
                QSKIP(qPrintable(disk->skipReason()));
        }
        TempFolder dir;
        fill(dir);
        FileListModel model;
        QStringList names(3000, QStringLiteral("a.txt"));
        names[2] = QStringLiteral("gone.txt");
        load(model, cause == QLatin1String("file gone") ? names : names.mid(3));
        const ListingSource source{model, int(model.recordCount() - 1), dir.path(), Dr};
        PosixFileSystem real;
        FullDiskFileSystem fake(16 * 1024);
        FileSystem& fs =
            cause == QLatin1String("full fake disk") ? static_cast<FileSystem&>(fake) : real;
        PromptRecorder prompts;
        const QString file = (disk ? disk->path() : dir.path()) + QStringLiteral("out");
        QVERIFY(!ListingExport::SaveSource(source, file, type, prompts, fs));
        QCOMPARE(prompts.messages, message.isEmpty() ? QStringList() : QStringList{message});

        QByteArray written =
            &fs == &fake ? fake.written : readBytes(ListingExport::fileNameFor(file, type));
        if (cause == QLatin1String("file gone")) {
            // Exactly the listing of the two rows before the vanished file,
            // without its end (the spreadsheet is closed as usual).
            QByteArray expected = writeWith(type, {model, 1, dir.path(), Dr}, real);
            if (type == ListingExport::Type::Rtf)
                expected.chop(RtfEnd.size());
            QCOMPARE(written.toHex(), expected.toHex());
        } else {
            // As much of the whole listing as fitted.
            const QByteArray whole = writeWith(type, source, real);
            QVERIFY(written.size() >= 4096 && written.size() <= 16 * 1024);
            QCOMPARE(written.toHex(), whole.left(written.size()).toHex());
        }
    }

    // quillon-cli list --format F -o FILE writes the same listings.
    void fromTheCommandLine_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QByteArray>("start");
        QTest::newRow("csv") << "csv" << CsvHead.left(36);
        QTest::newRow("rtf") << "rtf" << RtfHead.left(30);
        QTest::newRow("xls") << "xls" << QByteArray::fromHex("0900040002000a00");
    }

    void fromTheCommandLine()
    {
        QFETCH(QString, format);
        QFETCH(QByteArray, start);
        TempFolder dir, work;
        fill(dir);
        QProcess cli;
        cli.setWorkingDirectory(work.path());
        cli.start(QStringLiteral(QUILLON_CLI),
                  {QStringLiteral("list"), dir.path(), QStringLiteral("--format"), format,
                   QStringLiteral("-o"), QStringLiteral("out.txt")});
        QVERIFY(cli.waitForFinished(20000));
        QCOMPARE(cli.readAllStandardError(), QByteArray());
        QCOMPARE(cli.exitCode(), 0);
        QCOMPARE(work.names(), QStringList{QStringLiteral("out.") + format});
        const QByteArray listing = work.read(QStringLiteral("out.") + format);
        QVERIFY(listing.startsWith(start));
        QVERIFY(listing.contains("a.txt") && listing.contains("b,c d.txt"));
    }
};

QTEST_GUILESS_MAIN(TestListingExport)
#include "TestListingExport.moc"
