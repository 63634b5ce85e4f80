// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Session.h"
#include "platform/FieldText.h"
#include "platform/FileNameCodec.h"
#include "platform/PosixFileSystem.h"

#include "CliRun.h"
#include "PromptRecorder.h"
#include "TempFolder.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

namespace
{

// The lines the window's list shows for a folder, built by the same session
// the window uses.
QByteArray windowRows(const QString& folder)
{
    PosixFileSystem fs;
    PromptRecorder prompts;
    Session session(fs, prompts);
    session.setFolder(folder);
    session.scanFolder();
    QByteArray out("No.\tCreation Dates\tModified Dates\tCurrent Filenames\tNew Filenames\tSize\n");
    const FileListModel& m = session.model();
    for (int k = 0; k <= session.lastPosition(); ++k) {
        const int r = m.recordAt(k);
        const QStringList fields{
            QString::number(m.recordNumber(r)), m.creationDateText(r), m.modifiedDateText(r),
            m.currentNameOf(r).toString(),      m.newNameOf(r),        m.sizeText(r)};
        QStringList cells;
        for (const QString& f : fields)
            cells << FieldText::escaped(f);
        out += FileNameCodec::encode(cells.join(QLatin1Char('\t'))) + '\n';
    }
    return out;
}

} // namespace

class TestCliList : public QObject
{
    Q_OBJECT
private slots:
    void listsAsTheWindowDoes()
    {
        TempFolder dir;
        for (int i = 0; i < 117; ++i)
            QVERIFY(dir.write(QStringLiteral("photo%1.jpg").arg(i), QByteArray(i * 100, 'x')));
        for (const QString& odd :
             {QStringLiteral("tab\there.txt"), QStringLiteral("line\nbreak\\.txt"),
              FileNameCodec::decode(QByteArray("caf\xe9.txt"))})
            QVERIFY(dir.write(odd, "odd"));
        const CliRun run = runCli({QStringLiteral("list"), dir.path()});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.err, QString());
        QCOMPARE(run.outBytes.count('\n'), 121);
        QCOMPARE(run.outBytes, windowRows(dir.path()));
        QVERIFY(run.outBytes.contains(QByteArray("caf\xe9.txt")));
        QVERIFY(run.outBytes.contains("line\\nbreak\\\\.txt"));
    }

    // The type box's patterns over the whole name, letter case ignored.
    void filter_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("listed"); // in name order
        const QStringList all{"a.jpg", "ab.txt",   "B.JPG",     "h.JPG.bak",
                              "q.png", "x.jpgfoo", "y.jpg.txt", "zjpg"};
        QTest::newRow("extension") << "*.jpg" << QStringList{"a.jpg", "B.JPG"};
        QTest::newRow("two patterns, blanks around")
            << " *.JPG ; *.png" << QStringList{"a.jpg", "B.JPG", "q.png"};
        QTest::newRow("start") << "a*" << QStringList{"a.jpg", "ab.txt"};
        QTest::newRow("one character") << "?.png" << QStringList{"q.png"};
        QTest::newRow("inside") << "*.jp*"
                                << QStringList{"a.jpg", "B.JPG", "h.JPG.bak", "x.jpgfoo",
                                               "y.jpg.txt"};
        QTest::newRow("set") << "[ab]*" << QStringList{"a.jpg", "ab.txt", "B.JPG"};
        QTest::newRow("range left out") << "[!a-x]*" << QStringList{"y.jpg.txt", "zjpg"};
        QTest::newRow("every file") << "*.*" << all;
        QTest::newRow("empty box") << "" << all;
        QTest::newRow("nothing matches") << "*.xyz" << QStringList{};
    }

    void filter()
    {
        QFETCH(QString, filter);
        QFETCH(QStringList, listed);
        TempFolder dir;
        for (const char* n :
             {"a.jpg", "ab.txt", "B.JPG", "h.JPG.bak", "q.png", "x.jpgfoo", "y.jpg.txt", "zjpg"})
            QVERIFY(dir.write(QString::fromLatin1(n)));
        const CliRun run = runCli({"list", dir.path(), "--filter", filter});
        QStringList names = run.out.split('\n', Qt::SkipEmptyParts).mid(1);
        for (QString& row : names)
            row = row.section('\t', 3, 3);
        QCOMPARE(names, listed);
        QCOMPARE(run.err, listed.isEmpty() ? "quillon-cli: no files match " + filter + "\n" : "");
        QCOMPARE(run.status, listed.isEmpty() ? 1 : 0);
    }

    // An empty folder lists its header alone; one that cannot be read is an
    // error, unlike in the window.
    void emptyAndMissingFolders()
    {
        TempFolder dir;
        for (const QString& folder : {dir.path(), dir.file(QStringLiteral("missing"))}) {
            const CliRun run = runCli({QStringLiteral("list"), folder});
            const bool missing = folder.endsWith(QLatin1String("missing"));
            QCOMPARE(run.status, missing ? 1 : 0);
            QCOMPARE(run.outBytes.count('\n'), missing ? 0 : 1);
            QCOMPARE(run.err.contains(QLatin1String("cannot read the folder")), missing);
        }
    }

    // A command line that is wrong is refused before anything is read or
    // changed, with one line saying why and a hint.
    void badOptionLines_data()
    {
        QTest::addColumn<QStringList>("args"); // %F: a folder holding a.txt and b.txt
        QTest::addColumn<QString>("message");
        const QString naming = "one of --pattern, --template, --paste, --regex";
        // clang-format off
        const QList<std::pair<QStringList, QString>> rows{
            {{}, "no command given"},
            {{"frobnicate"}, "unknown command \"frobnicate\""},
            {{"list", "%F", "--nope"}, "Unknown option 'nope'."},
            {{"list", "%F", "%F"}, "more than one folder given"},
            {{"list", "%F", "--dry-run"}, "list does not take --dry-run"},
            {{"shred", "%F", "--all", "--yes", "--undo-file", "u"}, "shred does not take --undo-file"},
            {{"shred", "%F", "--all", "--yes", "--pattern", "x#"}, "shred does not take --pattern"},
            {{"undo", "--last", "--filter", "*"}, "undo does not take --filter"},
            {{"rename", "%F", "--pattern", "x#", "--command", "echo"}, "rename does not take --command"},
            {{"rename", "--pattern", "x#"}, "rename needs a folder"},
            {{"rename", "%F"}, "rename needs " + naming},
            {{"rename", "%F", "--ext", ".txt", "--replace", "a"}, "rename needs " + naming},
            {{"batch", "--command", "echo Sourcefiles$"}, "batch needs a folder"},
            {{"batch", "%F", "--command", "echo Destnames$"}, "batch needs " + naming + " for Destnames$"},
            {{"batch", "%F"}, "batch needs --command \"LINE\""},
            {{"batch", "%F", "--attributes", "X", "--command", "SetFileAttributes x"}, "--attributes takes none, normal or R,H,S"},
            {{"list", "%F", "--zeros", "5"}, "--zeros takes zeros, such as 000, not \"5\""},
            {{"list", "%F", "--ext", "jpg"}, "--ext takes an extension with its dot, such as .jpg, not \"jpg\""},
            {{"list", "%F", "--sort", "date"}, "--sort takes no, created, modified, name, newname, size, natural or taken, not \"date\""},
            {{"list", "%F", "--regex", "a"}, "--regex needs --with (--with \"\" deletes the matches)"},
            {{"list", "%F", "--with", "b"}, "--with goes with --replace or --regex"},
            {{"list", "%F", "--format", "pdf"}, "--format takes tsv, csv, rtf, xls, xlsx or json, not \"pdf\""},
            {{"list", "%F", "--pattern", "x#", "--normalize", "nfkc"}, "--normalize takes nfc or nfd, not \"nfkc\""},
            {{"undo", "--last", "--windows-names"}, "undo does not take --windows-names"},
            {{"list", "%F", "--pattern", "a/b#"}, "--pattern cannot hold any of | * \" / : < > ? \\"},
            {{"shred", "%F", "--position", "0", "--yes"}, "--position takes a No. of the list, from 1, not \"0\""},
            {{"shred", "%F", "--position", "1", "--name", "a.txt", "--yes"}, "shred needs one of --all, --position N, --name NAME"},
            {{"shred", "%F", "--yes"}, "shred needs one of --all, --position N, --name NAME"},
            {{"shred", "%F", "--all"}, "shred overwrites and deletes files for good: add --yes to go ahead"},
            {{"rename", "%F", "--pattern", "x#", "--attributes", "X"}, "--attributes takes none, or normal, R, H, S separated by commas"},
            {{"rename", "%F", "--pattern", "x#", "--created", "soon"}, "--created: \"soon\" is not a date"},
            {{"rename", "%F", "--pattern", "x#", "--on-failure", "maybe"}, "--on-failure takes retry, skip or stop"},
            {{"undo", "--last", "--list"}, "undo needs one of --last, --journal FILE, --undo-file FILE, --list"},
        };
        // clang-format on
        for (const auto& [args, message] : rows)
            QTest::newRow(qPrintable(args.join(' ') + " ")) << args << message;
    }

    void badOptionLines()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        TempFolder dir;
        QVERIFY(dir.write("a.txt", "a") && dir.write("b.txt", "b"));
        args.replaceInStrings("%F", dir.path());
        const CliRun run = runCli(args, dir.path());
        QCOMPARE(run.err, "quillon-cli: " + message + "\nsee quillon-cli --help\n");
        QCOMPARE(run.status, 2);
        QCOMPARE(run.out, QString());
        QCOMPARE(dir.names(), (QStringList{"a.txt", "b.txt"}));
        QCOMPARE(dir.read("a.txt"), QByteArray("a"));
    }

    // One JSON object per line: a script reads the plan, odd bytes and all.
    void listsJsonLines()
    {
        TempFolder dir;
        const QString odd = FileNameCodec::decode(QByteArray("caf\xe9 \"q\".txt"));
        QVERIFY(dir.write("a.txt", "0123456789") && dir.write(odd, "x"));
        QFile a(dir.file("a.txt"));
        QVERIFY(a.open(QIODevice::ReadWrite) &&
                a.setFileTime(QDateTime(QDate(2021, 3, 1), QTime(12, 0), Qt::UTC),
                              QFile::FileModificationTime));
        const CliRun run = runCli({"list", dir.path(), "--format", "json", "--template", "same"});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out.toUtf8(), run.outBytes); // UTF-8 throughout
        const QList<QByteArray> lines = run.outBytes.trimmed().split('\n');
        QCOMPARE(lines.size(), 2);
        const QJsonObject first = QJsonDocument::fromJson(lines[0]).object();
        const QJsonObject second = QJsonDocument::fromJson(lines[1]).object();
        QCOMPARE(first.value("no").toInt(), 1);
        QCOMPARE(first.value("modified").toString(), QStringLiteral("2021-03-01T12:00:00Z"));
        QVERIFY(first.value("created").toString().startsWith("20"));
        QCOMPARE(first.value("size").toInteger(), 10);
        QCOMPARE(first.value("name").toString(), QStringLiteral("a.txt"));
        QCOMPARE(first.value("new").toString(), QStringLiteral("same"));
        QCOMPARE(first.value("collides").toBool(), false);
        QCOMPARE(second.value("name").toString(), odd);
        QCOMPARE(second.value("collides").toBool(), true);
    }

    // -o is the path given, "-" or none standard output, for every format;
    // the format comes from --format, else from the extension of -o.
    void listingOutput_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("file");  // the one file written, "" for none
        QTest::addColumn<QString>("start"); // the listing starts so, in the file or on stdout
        QTest::addColumn<QString>("err");   // %O: the folder quillon-cli runs in
        const QString tsv = "No.\tCreation Dates\t", csv = "No,Date/Time,", rtf = "{\\rtf1";
        QTest::newRow("tsv to a file") << QStringList{"-o", "rows.txt"} << "rows.txt" << tsv << "";
        QTest::newRow("csv to the name given")
            << QStringList{"--format", "csv", "-o", "b.txt"} << "b.txt" << csv << "";
        QTest::newRow("csv to standard output")
            << QStringList{"--format", "csv", "-o", "-"} << "" << csv << "";
        QTest::newRow("rtf without -o") << QStringList{"--format", "RTF"} << "" << rtf << "";
        QTest::newRow("format from the extension")
            << QStringList{"-o", "x.rtf"} << "x.rtf" << rtf << "";
        QTest::newRow("xls to the name given")
            << QStringList{"--format", "xls", "-o", "out.txt"} << "out.txt"
            << QString::fromLatin1(QByteArray::fromHex("0900040002001000")) << "";
        QTest::newRow("into a missing folder")
            << QStringList{"--format", "csv", "-o", "missing/out.csv"} << ""
            << ""
            << "quillon-cli: cannot write %Omissing/out.csv: there is no folder %Omissing\n";
    }

    void listingOutput()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, file);
        QFETCH(QString, start);
        QFETCH(QString, err);
        TempFolder dir, out;
        QVERIFY(dir.write("a.txt", "a"));
        const CliRun run = runCli(QStringList{"list", dir.path()} + args, out.path());
        QCOMPARE(run.err, err.replace("%O", out.path()));
        QCOMPARE(run.status, err.isEmpty() ? 0 : 1);
        QCOMPARE(out.names(), file.isEmpty() ? QStringList() : QStringList{file});
        const QByteArray listing = file.isEmpty() ? run.outBytes : out.read(file);
        QVERIFY2(listing.startsWith(start.toUtf8()), listing.left(40).constData());
        QCOMPARE(listing.contains("a.txt"), err.isEmpty());
        if (!file.isEmpty())
            QCOMPARE(run.out, QString());
    }
};

QTEST_GUILESS_MAIN(TestCliList)
#include "TestCliList.moc"
