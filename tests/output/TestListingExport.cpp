// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/CsvListingWriter.h"
#include "output/DiskErrors.h"
#include "output/ListingExport.h"
#include "output/RtfListingWriter.h"
#include "output/XlsListingWriter.h"
#include "platform/FileNameCodec.h"
#include "platform/PosixFileSystem.h"

#include "ListRows.h"
#include "LoggingFileSystem.h"
#include "PromptRecorder.h"
#include "TempFolder.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

#include <sys/stat.h>

using Type = ListingExport::Type;

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
// Their names in the comma-separated listing and in RTF.
const QByteArray CsvNames[] = {"a.txt", "\"b,c d.txt\"", "ünï 名.txt", "br{a}ce\\s.txt", "😀.txt"};
const QByteArray RtfNames[] = {"a.txt", "b,c d.txt", "\\'fcn\\'ef \\u21517\\'3f.txt",
                               "br\\{a\\}ce\\\\s.txt", "\\u-10179\\'3f\\u-8704\\'3f.txt"};

QString dateOf(int record)
{
    return QStringLiteral("1/%1/2020 3:04:05 AM").arg(record + 1);
}

QStringList allNames()
{
    QStringList names;
    for (const auto& f : Files)
        names << f.first;
    return names;
}

// Fills dir with the test files and loads the model as a scan would, with a
// size text that is not the size on disk: the listing must read the disk. No
// names is one empty row; order, when given, is the shown order.
bool load(const TempFolder& dir, FileListModel& model, const QStringList& names,
          const QList<int>& order = {}, const QStringList& dates = {})
{
    for (const auto& f : Files)
        if (!dir.write(f.first, QByteArray(f.second, 'x')))
            return false;
    QStringList rows;
    for (int i = 0; i < names.size(); ++i)
        rows << dates.value(i, dateOf(i)) + QStringLiteral("|d2|") + names[i] +
                    QStringLiteral("||999");
    if (rows.isEmpty())
        rows << QString();
    model.setRows(ListRows::fromTexts(rows));
    for (int i = 0; i < order.size(); ++i)
        model.displayOrder()[size_t(i)] = order[i];
    return true;
}

QByteArray readBytes(const QString& path) // ASCII paths only
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray padded(const QByteArray& text, int width)
{
    return text.left(width).leftJustified(width, ' ');
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

// The expected CSV and RTF listings of these test files, in this order.
QPair<QByteArray, QByteArray> listings(const QList<int>& order)
{
    QByteArray csv = CsvHead, rtf = RtfHead;
    for (int i : order) {
        const QByteArray no = QByteArray::number(i + 1), size = QByteArray::number(Files[i].second);
        csv += no + ',' + dateOf(i).toUtf8() + ',' + size + ',' + CsvNames[i] + "\r\n";
        rtf += padded(no, 10) + padded(dateOf(i).toLatin1(), 26) + padded(size, 16) + RtfNames[i] +
               "\\par\n\r\n";
    }
    return {csv, rtf + RtfEnd};
}

QByteArray writeWith(Type type, const ListingSource& source, FileSystem& fs)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    ExcelFile sheet(fs);
    std::unique_ptr<ListingWriter> writer;
    if (type == Type::Csv)
        writer = std::make_unique<CsvListingWriter>(buffer);
    else if (type == Type::Rtf)
        writer = std::make_unique<RtfListingWriter>(buffer);
    else {
        sheet.create(buffer);
        writer = std::make_unique<XlsListingWriter>(sheet);
    }
    ListingExport::writeListing(source, *writer, fs);
    writer.reset();
    return buffer.data();
}

// A text cell record; the title has alignment 0, every other cell 1. The
// first attribute byte holds the cell's format number.
QByteArray textCell(int row, int col, int hidden, int font, int align, const QByteArray& text)
{
    const char head[] = {
        4,         0, char(8 + text.size()), 0,          char(row),   0,
        char(col), 0, char(hidden),          char(font), char(align), char(text.size())};
    return QByteArray(head, sizeof head) + text;
}

QByteArray textRow(int row, int format, int font, const QByteArrayList& texts)
{
    QByteArray out;
    for (int col = 0; col < texts.size(); ++col)
        out += textCell(row, col, format, font, 1, texts[col]);
    return out;
}

// Names that listings have lost: the separators and line ends of the
// comma-separated text, letters outside Windows-1252, the stray bytes of a
// name that is not UTF-8 (E9 is "é" in Windows-1252, 81 is no letter there),
// an emoji, and a control character, a text like the XLSX format's own
// escapes and a character XML cannot hold. With what the XLS and the XLSX
// listings show of each; empty: the name itself.
struct AwkwardName {
    QString name, xls, xlsx;
};

QList<AwkwardName> awkwardNames()
{
    return {
        {QStringLiteral("a,b.txt"), {}, {}},
        {QStringLiteral("say \"hi\".txt"), {}, {}},
        {QStringLiteral("cr\rx.txt"), {}, {}},
        {QStringLiteral("lf\nx.txt"), {}, {}},
        {QStringLiteral("Müller.txt"), {}, {}},
        {QStringLiteral("łódź.txt"), QStringLiteral("?ód?.txt"), {}},
        {FileNameCodec::decode(QByteArrayLiteral("caf\xE9 \x81.txt")), QStringLiteral("café ?.txt"),
         QStringLiteral("café \uFFFD.txt")},
        {QStringLiteral("😀.txt"), QStringLiteral("?.txt"), {}},
        {QStringLiteral("\x01_x0041_\uFFFF.txt"), QStringLiteral("\x01_x0041_?.txt"), {}},
    };
}

// A folder path for the heading with a comma, quotes and a line break.
const QString AwkwardDr = QStringLiteral("/data/a,\"b\"\nMüller");

// Prints what a Python reader made of a file as comma-separated text, the
// stray bytes of names as they were: "python" the csv module, "xlrd" and
// "openpyxl" the spreadsheets, every cell as text. openpyxl hands the XLSX
// format's _xHHHH_ escapes over as they stand in the file, so they are undone
// here; it also says on standard error where a listed file's number, date
// or size is not a number or date.
const char* PythonReader = R"(
import csv, datetime, sys
reader, path = sys.argv[1], sys.argv[2]
sys.stdout.reconfigure(errors='surrogateescape')
out = csv.writer(sys.stdout, lineterminator='\r\n')  # which quotes every CR and LF
if reader == 'python':
    with open(path, newline='', encoding='utf-8', errors='surrogateescape') as f:
        out.writerows(csv.reader(f))
elif reader == 'xlrd':
    import xlrd
    sheet = xlrd.open_workbook(path).sheet_by_index(0)
    for r in range(sheet.nrows):
        out.writerow([sheet.cell_value(r, c) for c in range(sheet.ncols)])
else:
    import openpyxl
    from openpyxl.utils.escape import unescape
    def text(v):
        if v is None:
            return ''
        if isinstance(v, datetime.datetime):
            return v.isoformat(sep=' ')
        return unescape(v) if isinstance(v, str) else v
    sheet = openpyxl.load_workbook(path).active
    for r, row in enumerate(sheet.iter_rows(values_only=True)):
        if r >= 3 and tuple(map(type, row)) != (int, datetime.datetime, int, str):
            print('row', r + 1, 'holds', [type(v).__name__ for v in row], file=sys.stderr)
        out.writerow([text(v) for v in row])
)";

// Undoes the XLSX format's escapes of characters (_x000D_ is a CR,
// _x005F_ a "_"), which Gnumeric shows as they stand in the file.
QString unescapeXlsx(const QString& text)
{
    static const QRegularExpression escape(QStringLiteral("_x([0-9A-Fa-f]{4})_"));
    QString out;
    qsizetype from = 0;
    for (const QRegularExpressionMatch& m : escape.globalMatch(text)) {
        out += QStringView(text).mid(from, m.capturedStart() - from);
        out += QChar(m.captured(1).toUShort(nullptr, 16));
        from = m.capturedEnd();
    }
    out += QStringView(text).mid(from);
    return out;
}

// What a reader made of a file: its cells as comma-separated text and
// what it said on standard error; or why it could not be asked.
struct ReadBack {
    QString csv, warnings, skip;
};

// Converts file with reader (a Python one, "ssconvert" or "soffice") into
// comma-separated text, in a UTF-8 locale. LibreOffice opens comma-separated
// text as a desktop does, in the locale's character set, with every column
// as text.
ReadBack readBack(const QString& reader, const QString& file, const TempFolder& dir)
{
    const QString out = dir.file(QStringLiteral("out.csv"));
    const QString python = QStringLiteral("/usr/bin/python3");
    QString program = QStandardPaths::findExecutable(reader);
    QStringList args = {file, out};
    const bool inPython = QStringList{"python", "xlrd", "openpyxl"}.contains(reader);
    if (inPython) {
        QProcess probe;
        const QString module = reader == QLatin1String("python") ? QStringLiteral("csv") : reader;
        probe.start(python, {QStringLiteral("-c"), "import " + module});
        program = probe.waitForFinished(10000) && probe.exitCode() == 0 ? python : QString();
        args = QStringList{QStringLiteral("-c"), QString::fromLatin1(PythonReader), reader, file};
    } else if (reader == QLatin1String("soffice")) {
        args = QStringList{"-env:UserInstallation=file://" + dir.file(QStringLiteral("profile")),
                           "--headless",
                           "--convert-to",
                           "csv:Text - txt - csv (StarCalc):44,34,76",
                           "--outdir",
                           dir.file("out"),
                           file};
        if (file.endsWith(QLatin1String(".csv")))
            args.prepend(QStringLiteral("--infilter=CSV:44,34,SYSTEM,1,1/2/2/2/3/2/4/2/5/2"));
    }
    if (program.isEmpty())
        return {{}, {}, reader + QStringLiteral(" is not installed")};
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    process.setProcessEnvironment(env);
    process.start(program, args);
    if (!process.waitForFinished(120000))
        return {{}, reader + QStringLiteral(" did not finish"), {}};
    ReadBack read{FileNameCodec::decode(process.readAllStandardOutput()),
                  QString::fromUtf8(process.readAllStandardError()),
                  {}};
    if (reader == QLatin1String("ssconvert"))
        read.csv = QString::fromUtf8(dir.read(QStringLiteral("out.csv")));
    if (reader == QLatin1String("soffice")) {
        read.csv =
            QString::fromUtf8(dir.read("out/" + QFileInfo(file).completeBaseName() + ".csv"));
        read.warnings.clear(); // it reports its own conversion there
    }
    return read;
}

// Splits comma-separated text as spreadsheet programs write it (a field in
// double quotes where needed, a quote in it doubled). The empty cells at the
// end of a row are left out, since readers differ in how many they write.
QList<QStringList> parseCsv(const QString& text)
{
    QList<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false;
    auto endRow = [&] {
        row << field;
        while (!row.isEmpty() && row.last().isEmpty())
            row.removeLast();
        rows << row;
        row.clear();
        field.clear();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted && c == u'"' && i + 1 < text.size() && text[i + 1] == u'"')
            field += text[++i];
        else if (c == u'"')
            quoted = !quoted;
        else if (!quoted && c == u',')
            row << std::exchange(field, QString());
        else if (!quoted && c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            continue; // a CR LF line end; a lone CR is a character of its field
        else if (!quoted && c == u'\n')
            endRow();
        else
            field += c;
    }
    if (!field.isEmpty() || !row.isEmpty())
        endRow();
    return rows;
}

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
        row(".profile", "xls", ".profile.xls");                 // a leading dot is no extension
        row("a.b.txt", "RTF", "a.b.rtf");                       // letter case of the type
        row("list.csv", "txt", "list.xls");                     // any other type is a spreadsheet
        row("/tmp/dir.v2/list", "Csv", "/tmp/dir.v2/list.csv"); // a dot in a folder
    }

    void fileNames()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, type);
        QTEST(ListingExport::fileNameFor(chosen, ListingExport::typeOf(type)), "expected");
    }

    // The comma-separated and rich-text listings, byte for byte.
    void textListings_data()
    {
        QTest::addColumn<QStringList>("dates");
        QTest::addColumn<QList<int>>("order");
        QTest::addColumn<int>("fileLast");
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<QByteArray>("rtf");
        auto [csv, rtf] = listings({0, 1, 2, 3, 4});
        QTest::newRow("scan order, a comma quoted, odd names")
            << QStringList() << QList<int>() << 4 << csv << rtf;
        std::tie(csv, rtf) = listings({3, 0, 2, 1});
        QTest::newRow("sorted: shown order, scan numbers")
            << QStringList() << QList<int>{3, 0, 2, 1} << 3 << csv << rtf;
        QTest::newRow("empty list")
            << QStringList() << QList<int>() << -1 << CsvHead << RtfHead + RtfEnd;
        const QString longDate = QStringLiteral("Wednesday, January 1, 2020 3:04:05 AM");
        QTest::newRow("long date: quoted, cut in the rich text")
            << QStringList{longDate} << QList<int>() << 0
            << CsvHead + "1,\"" + longDate.toUtf8() + "\",10,a.txt\r\n"
            << RtfHead + "1         Wednesday, January 1, 202010              a.txt\\par\n\r\n" +
                   RtfEnd;
    }

    void textListings()
    {
        QFETCH(QStringList, dates);
        QFETCH(QList<int>, order);
        QFETCH(int, fileLast);
        TempFolder dir;
        FileListModel model;
        QVERIFY(load(dir, model, fileLast < 0 ? QStringList() : allNames(), order, dates));
        const ListingSource source{model, fileLast, dir.path(), Dr};
        PosixFileSystem fs;
        QTEST(writeWith(Type::Csv, source, fs), "csv");
        QTEST(writeWith(Type::Rtf, source, fs), "rtf");
    }

    // The spreadsheet's records in order, for a sorted list whose second row
    // has a name too long for a text cell: that cell alone is left out.
    void spreadsheetRecords()
    {
        TempFolder dir;
        FileListModel model;
        QVERIFY(load(dir, model, {QString(256, u'n'), QStringLiteral("a.txt")}, {1, 0}));
        LoggingFileSystem fs;
        fs.everySize = 7;
        const QByteArray title = Title.toLatin1();
        // clang-format off
        QByteArray expected = QByteArray::fromHex(
            "0900040002001000" "42000200e404" "2b0002000000" // start, Windows-1252, no grid lines
            "28000800000000000000e03f" "26000800000000000000e03f" // margins
            "27000800000000000000e03f" "29000800000000000000e03f"
            "31000a00b400000005417269616c" "31000a00b400010005417269616c" // fonts
            "31000a00b400040005417269616c" "31000a00b400030005417269616c"
            "4300040000000001" "4300040001000001" "4300040001004000" // cell formats
            "240004000000000c" "240004000101000c" "240004000202000c" "240004000303003e"); // widths
        // clang-format on
        expected += QByteArray::fromHex("14001700") + char(title.size()) + title;
        expected += QByteArray::fromHex("15001700") + char(title.size()) + title;
        expected += textCell(0, 0, 64 | 2, 64, 0, title);
        expected += textRow(2, 1, 64, {"No.", "Date / Time", "Filesize", "Filename"});
        expected += textRow(3, 0, 0, {"2", dateOf(1).toLatin1(), "7", "a.txt"});
        expected += textRow(4, 0, 0, {"1", dateOf(0).toLatin1(), "7"});
        expected += QByteArray::fromHex("0a000000");
        QCOMPARE(writeWith(Type::Xls, {model, 1, dir.path(), Dr}, fs).toHex(), expected.toHex());
    }

    // Every awkward name read back by each reader from a listing of a real
    // folder, and the heading with its folder path; a reader that is not
    // installed is skipped. The XLS holds Windows-1252, the XLSX every
    // character, the numbers as numbers and the dates as dates.
    void namesReadBack_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("reader");
        const auto row = [](const char* name, const char* type, const char* reader) {
            QTest::newRow(name) << QString::fromLatin1(type) << QString::fromLatin1(reader);
        };
        row("csv, Python", "csv", "python");
        row("csv, LibreOffice", "csv", "soffice");
        row("xls, xlrd", "xls", "xlrd");
        row("xls, Gnumeric", "xls", "ssconvert");
        row("xls, LibreOffice", "xls", "soffice");
        row("xlsx, openpyxl", "xlsx", "openpyxl");
        row("xlsx, Gnumeric", "xlsx", "ssconvert");
        row("xlsx, LibreOffice", "xlsx", "soffice");
    }

    void namesReadBack()
    {
        QFETCH(QString, type);
        QFETCH(QString, reader);
        const QList<AwkwardName> names = awkwardNames();
        TempFolder dir;
        QStringList rows;
        for (int i = 0; i < names.size(); ++i) {
            QVERIFY(dir.write(names[i].name, QByteArray(i, 'x')));
            rows << dateOf(i) + QStringLiteral("|d2|") + names[i].name + QStringLiteral("||999");
        }
        FileListModel model;
        model.setRows(ListRows::fromTexts(rows));
        PromptRecorder prompts;
        PosixFileSystem fs;
        const QString file = dir.file("listing." + type);
        QVERIFY(ListingExport::save({model, int(names.size() - 1), dir.path(), AwkwardDr}, file,
                                    ListingExport::typeOf(type), prompts, fs));
        QCOMPARE(prompts.messages, QStringList());

        const QString title = QStringLiteral("Directory ") + AwkwardDr;
        QList<QStringList> expected = {{title}, {}, {"No.", "Date / Time", "Filesize", "Filename"}};
        if (type == QLatin1String("csv"))
            expected = {{"No", "Date/Time", "Byte Size", "Filenames at " + title}};
        for (int i = 0; i < names.size(); ++i) {
            QString name = type == QLatin1String("xls") ? names[i].xls : names[i].xlsx;
            if (type == QLatin1String("csv") || name.isEmpty())
                name = names[i].name;
            for (QChar& c : name) { // stray bytes are no UTF-8 for LibreOffice
                if (type == QLatin1String("csv") && reader == QLatin1String("soffice") &&
                    c.unicode() >= 0xDC80 && c.unicode() <= 0xDCFF)
                    c = QChar(0xFFFD);
            }
            // Gnumeric writes a date as yyyy/mm/dd, whatever its format; a
            // text would come out as it stands.
            const QChar dash = reader == QLatin1String("ssconvert") ? u'/' : u'-';
            const QString date = type != QLatin1String("xlsx")
                                     ? dateOf(i)
                                     : QStringLiteral("2020-01-%1 03:04:05")
                                           .arg(i + 1, 2, 10, QChar(u'0'))
                                           .replace(u'-', dash);
            expected.append({QString::number(i + 1), date, QString::number(i), name});
        }
        ReadBack read = readBack(reader, file, dir);
        if (!read.skip.isEmpty())
            QSKIP(qPrintable(read.skip));
        if (type == QLatin1String("xlsx") && reader == QLatin1String("ssconvert"))
            read.csv = unescapeXlsx(read.csv);
        QCOMPARE(read.warnings, QString());
        const QList<QStringList> cells = parseCsv(read.csv);
        for (int row = 0; row < qMax(cells.size(), expected.size()); ++row)
            QCOMPARE(cells.value(row), expected.value(row));
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
        const QString target = QStringLiteral("old.") + type;
        const QByteArray path = FileNameCodec::encode(work.file(target));
        const QByteArray before = "an earlier file";
        if (existing == QLatin1String("folder"))
            QVERIFY(::mkdir(path.constData(), 0755) == 0);
        else if (!existing.isEmpty())
            QVERIFY(work.write(target, before));
        if (existing == QLatin1String("read-only"))
            QVERIFY(::chmod(path.constData(), 0444) == 0);
        FileListModel model;
        QVERIFY(load(dir, model, allNames()));
        PosixFileSystem fs;
        const QString home = fs.currentFolder();
        QCOMPARE(fs.setCurrentFolder(work.path()), 0);
        PromptRecorder prompts;
        const bool done = ListingExport::save({model, 3, dir.path(), Dr}, chosen,
                                              ListingExport::typeOf(type), prompts, fs);
        QCOMPARE(fs.setCurrentFolder(home), 0);

        QCOMPARE(done, !written.isEmpty());
        QCOMPARE(prompts.messages, message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(work.names(), !written.isEmpty()   ? QStringList{written}
                               : existing.isEmpty() ? QStringList()
                                                    : QStringList{target});
        if (existing == QLatin1String("read-only"))
            QCOMPARE(work.read(target), before);
        if (!written.isEmpty())
            QVERIFY(work.read(written).size() > 200 && !work.read(written).startsWith(before));
        QCOMPARE(prompts.busyDepth, 0);
        QCOMPARE(prompts.messagesWhileBusy, QStringList());
    }

    // The export stops at the first error with its message; what was
    // written so far stays. A file gone since the scan stops it at its row
    // (error 53). A full disk (in memory, failing as TestPosixFileSystem::fullDisk
    // shows a real one does) stops the text listings with error 61; the
    // spreadsheet writer keeps quiet, but the export says it did not finish.
    void exportStops_data()
    {
        QTest::addColumn<Type>("type");
        QTest::addColumn<QString>("cause");
        QTest::addColumn<QString>("message");
        const QString gone = QStringLiteral("File or drive may be dammaged 53");
        const QString full = QStringLiteral("The Current Drive is full, Cannot read or write file");
        for (const QString cause : {"file gone", "full disk"}) {
            const QString m = cause == QLatin1String("file gone") ? gone : full;
            QTest::addRow("csv, %s", qPrintable(cause)) << Type::Csv << cause << m;
            QTest::addRow("rtf, %s", qPrintable(cause)) << Type::Rtf << cause << m;
            QTest::addRow("xls, %s", qPrintable(cause))
                << Type::Xls << cause << (m == gone ? m : "");
            QTest::addRow("xlsx, %s", qPrintable(cause)) << Type::Xlsx << cause << m;
        }
    }

    void exportStops()
    {
        QFETCH(Type, type);
        QFETCH(QString, cause);
        QFETCH(QString, message);
        const bool gone = cause == QLatin1String("file gone");
        TempFolder dir;
        FileListModel model;
        QStringList names(3000, QStringLiteral("a.txt"));
        names[2] = QStringLiteral("gone.txt");
        QVERIFY(load(dir, model, gone ? names : names.mid(3)));
        const ListingSource source{model, int(model.recordCount() - 1), dir.path(), Dr};
        PosixFileSystem real;
        LoggingFileSystem fake;
        fake.memoryDisk = type == Type::Xlsx ? 4096 : 16 * 1024; // rows of a.txt compress well
        FileSystem& fs = cause == QLatin1String("full disk") ? fake : real;
        PromptRecorder prompts;
        const QString file = dir.file(QStringLiteral("out"));
        QVERIFY(!ListingExport::save(source, file, type, prompts, fs));
        QCOMPARE(prompts.messages, message.isEmpty() ? QStringList() : QStringList{message});

        const QByteArray written =
            &fs == &fake ? fake.written : readBytes(ListingExport::fileNameFor(file, type));
        if (type == Type::Xlsx) { // a zip archive, ended with the rows before a vanished file
            QVERIFY(written.startsWith("PK\x03\x04"));
            if (!gone)
                return;
            const ReadBack read = readBack("openpyxl", file + ".xlsx", dir);
            if (!read.skip.isEmpty())
                QSKIP(qPrintable(read.skip));
            QCOMPARE(read.warnings, QString());
            QCOMPARE(parseCsv(read.csv).mid(3),
                     (QList<QStringList>{{"1", "2020-01-01 03:04:05", "10", "a.txt"},
                                         {"2", "2020-01-02 03:04:05", "10", "a.txt"}}));
        } else if (gone) {
            // Exactly the listing of the two rows before the vanished file,
            // without its end (the spreadsheet is closed as usual).
            QByteArray expected = writeWith(type, {model, 1, dir.path(), Dr}, real);
            if (type == Type::Rtf)
                expected.chop(RtfEnd.size());
            QCOMPARE(written.toHex(), expected.toHex());
        } else { // as much of the whole listing as fitted
            QVERIFY(written.size() >= 4096 && written.size() <= 16 * 1024);
            QCOMPARE(written.toHex(), writeWith(type, source, real).left(written.size()).toHex());
        }
    }

    void diskErrorTexts_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("text");
        const auto row = [](int code, const char* text) {
            QTest::addRow("%d", code) << code << QString::fromLatin1(text);
        };
        row(7, "Out of Memmory");
        row(57, "Drive Failed, Cannot read or write");
        row(61, "The Current Drive is full, Cannot read or write file");
        row(68, "The device you are trying to access either is not online or doesn't exist");
        row(70, "Permission denied, An attempt was made to write to a write-protected disk or to "
                "access a locked file");
        row(71, "No disk in selected drive");
        row(75, "Cannot Read or Write file to the current protected Read-Only drive or directory");
        row(53, "File or drive may be dammaged 53");
        row(5, "File or drive may be dammaged 5");
    }

    // The message box shows the text, after every open file was closed.
    void diskErrorTexts()
    {
        QFETCH(int, code);
        QFETCH(QString, text);
        TempFolder dir;
        PosixFileSystem fs;
        int error = -1;
        const auto file = fs.openForWriting(dir.file(QStringLiteral("out.csv")), error);
        QVERIFY(file && file->isOpen());
        QVERIFY(file->write("first") == 5);

        PromptRecorder prompts;
        DiskErrors::show(code, prompts, fs);
        QCOMPARE(prompts.messages, QStringList{text});
        QVERIFY(!file->isOpen());

        // The next export opens its file again.
        const auto again = fs.openForWriting(dir.file(QStringLiteral("out.csv")), error);
        QVERIFY(again && again->write("second") == 6);
        again->close();
        QCOMPARE(dir.read(QStringLiteral("out.csv")), QByteArray("second"));
    }
};

QTEST_GUILESS_MAIN(TestListingExport)
#include "TestListingExport.moc"
