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
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

QByteArray readBytes(const QString& path)
{
    const int fd = ::open(FileNameCodec::encode(path).constData(), O_RDONLY | O_CLOEXEC);
    QByteArray out;
    char buf[4096];
    ssize_t n;
    while (fd >= 0 && (n = ::read(fd, buf, sizeof buf)) > 0)
        out.append(buf, n);
    if (fd >= 0)
        ::close(fd);
    return out;
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

QByteArray writeWith(ListingExport::Type type, const ListingSource& source, FileSystem& fs,
                     int* error = nullptr)
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
    const int rc = ListingExport::writeListing(source, *writer, fs);
    if (error)
        *error = rc;
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
    QByteArray r = QByteArray::fromHex("0400");
    r += char(8 + text.size());
    r += '\0';
    r += char(row & 0xff);
    r += char(row >> 8);
    r += char(col);
    r += '\0';
    r += char(hidden);
    r += char(font);
    r += char(align);
    r += char(text.size());
    return r + text;
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
        QTest::newRow("other extension") << "list.txt"
                                         << "csv"
                                         << "list.csv";
        QTest::newRow("no dot") << "list"
                                << "rtf"
                                << "list.rtf";
        QTest::newRow("ending in a dot") << "list."
                                         << "csv"
                                         << "list.csv";
        QTest::newRow("only dot first") << ".profile"
                                        << "xls"
                                        << ".xls";
        QTest::newRow("two dots") << "a.b.txt"
                                  << "RTF"
                                  << "a.b.rtf";
        QTest::newRow("other type is a spreadsheet") << "list.csv"
                                                     << "txt"
                                                     << "list.xls";
        QTest::newRow("dot in a folder") << "/tmp/dir.v2/list"
                                         << "Csv"
                                         << "/tmp/dir.v2/list.csv";
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
        QByteArray expected = QByteArray::fromHex("0900040002000a00"
                                                  "2b0002000000"
                                                  "280008000000000000"
                                                  "00e03f"
                                                  "260008000000000000"
                                                  "00e03f"
                                                  "270008000000000000"
                                                  "00e03f"
                                                  "290008000000000000"
                                                  "00e03f"
                                                  "31000a00b4000000"
                                                  "05417269616c"
                                                  "31000a00b4000100"
                                                  "05417269616c"
                                                  "31000a00b4000400"
                                                  "05417269616c"
                                                  "31000a00b4000300"
                                                  "05417269616c"
                                                  "24000400000000"
                                                  "0c"
                                                  "24000400010100"
                                                  "0c"
                                                  "24000400020200"
                                                  "0c"
                                                  "24000400030300"
                                                  "3e");
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
        QTest::addColumn<QString>("existing"); // "", "read-only" or "folder"
        QTest::addColumn<QString>("written");  // the file that gets the listing
        QTest::addColumn<QString>("message");
        const QString readOnly =
            QStringLiteral("Cannot Read or Write file to the current protected Read-Only drive "
                           "or directory");
        QTest::newRow("bare name, csv") << "listing.txt"
                                        << "csv"
                                        << ""
                                        << "listing.csv"
                                        << "";
        QTest::newRow("bare name, rtf") << "listing"
                                        << "rtf"
                                        << ""
                                        << "listing.rtf"
                                        << "";
        QTest::newRow("bare name, xls") << "listing"
                                        << "xls"
                                        << ""
                                        << "listing.xls"
                                        << "";
        QTest::newRow("empty name") << ""
                                    << "csv"
                                    << ""
                                    << ""
                                    << "";
        QTest::newRow("read-only csv kept") << "old"
                                            << "csv"
                                            << "read-only"
                                            << "" << readOnly;
        QTest::newRow("read-only xls kept, silently") << "old"
                                                      << "xls"
                                                      << "read-only"
                                                      << ""
                                                      << "";
        QTest::newRow("folder of that name") << "old"
                                             << "rtf"
                                             << "folder"
                                             << "" << readOnly;
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
        if (existing == QLatin1String("read-only")) {
            QVERIFY(work.write(target, before));
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
            QVERIFY(work.read(written).size() > 200);
        if (!prompts.busyChanges.isEmpty())
            QCOMPARE(prompts.busyChanges.last(), false);
    }

    // A file gone since the scan stops the export at its row: the rows
    // before it stay in the file and the message names error 53.
    void vanishedFileStops_data()
    {
        QTest::addColumn<ListingExport::Type>("type");
        QTest::newRow("csv") << ListingExport::Type::Csv;
        QTest::newRow("rtf") << ListingExport::Type::Rtf;
        QTest::newRow("xls") << ListingExport::Type::Xls;
    }

    void vanishedFileStops()
    {
        QFETCH(ListingExport::Type, type);
        TempFolder dir;
        fill(dir);
        FileListModel model;
        QStringList names = listedNames();
        names.insert(2, QStringLiteral("gone.txt"));
        load(model, names);
        PosixFileSystem fs;
        PromptRecorder prompts;
        const QString file = dir.file(QStringLiteral("out"));
        const ListingSource source{model, 4, dir.path(), Dr};
        QVERIFY(!ListingExport::SaveSource(source, file, type, prompts, fs));
        QCOMPARE(prompts.messages, QStringList{QStringLiteral("File or drive may be dammaged 53")});

        // The same listing of the two rows before the vanished file.
        QByteArray expected = writeWith(type, {model, 1, dir.path(), Dr}, fs);
        if (type == ListingExport::Type::Rtf)
            expected.chop(RtfEnd.size());
        QCOMPARE(dir.read(QStringLiteral("out.") + ListingExport::typeName(type)).toHex(),
                 expected.toHex());
    }

    // A full disk stops the text listings with error 61's message; what fit
    // stays. The spreadsheet writer keeps quiet, but the export says it did
    // not finish.
    void fullDisk_data()
    {
        QTest::addColumn<ListingExport::Type>("type");
        QTest::addColumn<bool>("realDisk");
        for (bool real : {false, true}) {
            const char* where = real ? "tmpfs" : "fake";
            QTest::addRow("csv, %s", where) << ListingExport::Type::Csv << real;
            QTest::addRow("rtf, %s", where) << ListingExport::Type::Rtf << real;
            QTest::addRow("xls, %s", where) << ListingExport::Type::Xls << real;
        }
    }

    void fullDisk()
    {
        QFETCH(ListingExport::Type, type);
        QFETCH(bool, realDisk);
        std::unique_ptr<ScratchMount> disk;
        if (realDisk) {
            disk = std::make_unique<ScratchMount>(ScratchMount::Tmpfs, QStringLiteral("size=16k"));
            if (!disk->available())
                QSKIP(qPrintable(disk->skipReason()));
        }
        TempFolder dir;
        fill(dir);
        FileListModel model;
        load(model, QStringList(3000, QStringLiteral("a.txt")));
        const ListingSource source{model, 2999, dir.path(), Dr};
        PosixFileSystem real;
        const QByteArray full = writeWith(type, source, real);
        QVERIFY(full.size() > 64 * 1024);

        FullDiskFileSystem fake(16 * 1024);
        FileSystem& fs = realDisk ? static_cast<FileSystem&>(real) : fake;
        PromptRecorder prompts;
        const QString file = (realDisk ? disk->path() : dir.path()) + QStringLiteral("out");
        QVERIFY(!ListingExport::SaveSource(source, file, type, prompts, fs));
        const QByteArray written =
            realDisk ? readBytes(ListingExport::fileNameFor(file, type)) : fake.written;
        QVERIFY(written.size() >= 4096);
        QVERIFY(written.size() <= 16 * 1024);
        QCOMPARE(written.toHex(), full.left(written.size()).toHex());
        if (type == ListingExport::Type::Xls)
            QCOMPARE(prompts.messages, QStringList());
        else
            QCOMPARE(prompts.messages,
                     QStringList{
                         QStringLiteral("The Current Drive is full, Cannot read or write file")});
    }
};

QTEST_GUILESS_MAIN(TestListingExport)
#include "TestListingExport.moc"
