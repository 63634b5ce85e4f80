// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliRun.h"
#include "ExifJpeg.h"
#include "TempFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

namespace
{

// Five files shown in natural order as File1.txt, file2.txt, file10.txt,
// IMG_0042.JPG, IMG_0101.JPG, modified on March 1st, 2nd, 3rd, 5th and 4th
// 2021; the two pictures carry capture dates, one a camera model.
struct Pictures {
    TempFolder dir;
    Pictures()
    {
        dir.write("file10.txt", "10");
        dir.write("File1.txt", "1");
        dir.write("file2.txt", "2");
        dir.write("IMG_0042.JPG", exifJpeg({{EXIF_TAG_DATE_TIME_ORIGINAL, "2024:07:14 10:30:00"},
                                            {EXIF_TAG_MODEL, "X100/F"}}));
        dir.write("IMG_0101.JPG", exifJpeg({{EXIF_TAG_DATE_TIME_ORIGINAL, "2024:07:15 08:00:00"},
                                            {EXIF_TAG_MAKE, "Fujifilm"}}));
        int day = 1;
        for (const char* name :
             {"File1.txt", "file2.txt", "file10.txt", "IMG_0101.JPG", "IMG_0042.JPG"}) {
            QFile f(dir.file(name));
            f.open(QIODevice::ReadWrite);
            f.setFileTime(QDateTime(QDate(2021, 3, day++), QTime(12, 0)),
                          QFile::FileModificationTime);
        }
    }
};

// The new names column of a listing, joined by "|".
QString newNames(const QString& listing)
{
    QStringList names;
    const QStringList lines = listing.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (qsizetype i = 1; i < lines.size(); ++i)
        names << lines[i].section(QLatin1Char('\t'), 4, 4);
    return names.join(QLatin1Char('|'));
}

} // namespace

class TestCliNaming : public QObject
{
    Q_OBJECT
private slots:
    void names_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("names"); // the listing's new names
        QTest::addColumn<QString>("err");   // a part of standard error
        const QStringList only{"--pattern", "Replace Only"};
        QTest::newRow("natural order numbers")
            << QStringList{"--pattern", "#_+", "--zeros", "0"} << 0
            << "1_File1.txt|2_file2.txt|3_file10.txt|4_IMG_0042.JPG|5_IMG_0101.JPG"
            << "";
        QTest::newRow("natural twice reverses")
            << QStringList{"--sort", "natural", "--pattern", "#_+", "--zeros", "0"} << 0
            << "1_IMG_0101.JPG|2_IMG_0042.JPG|3_file10.txt|4_file2.txt|5_File1.txt"
            << "";
        QTest::newRow("regex groups, (?i)")
            << only + QStringList{"--regex", "(?i)^(file)(\\d+)", "--with", "\\2_\\1"} << 0
            << "1_File.txt|2_file.txt|10_file.txt|IMG_0042.JPG|IMG_0101.JPG"
            << "";
        QTest::newRow("regex letter case counts")
            << only + QStringList{"--regex", "^file", "--with", "doc"} << 0
            << "File1.txt|doc2.txt|doc10.txt|IMG_0042.JPG|IMG_0101.JPG"
            << "";
        QTest::newRow("regex every match, \\0 and \\\\")
            << only + QStringList{"--regex", "0+", "--with", "[\\0\\\\]"} << 0
            << "File1.txt|file2.txt|file1[0\\\\].txt|IMG_[00\\\\]42.JPG|IMG_[0\\\\]1[0\\\\]1.JPG"
            << "";
        QTest::newRow("template")
            << QStringList{"--template", "{n:3}-{name}{{{n}}}{ext}"} << 0
            << "001-File1{1}.txt|002-file2{2}.txt|003-file10{3}.txt|004-IMG_0042{4}.JPG|"
               "005-IMG_0101{5}.JPG"
            << "";
        QTest::newRow("template, modified date")
            << QStringList{"--template", "{modified:MMM d}"} << 0 << "Mar 1|Mar 2|Mar 3|Mar 5|Mar 4"
            << "";
        QTest::newRow("template, picture tags")
            << QStringList{"--template", "{exif:DateTimeOriginal:yyyy-MM-dd|undated}_"
                                         "{exif:Model|unknown}"}
            << 0
            << "undated_unknown|undated_unknown|undated_unknown|2024-07-14_X100_F|"
               "2024-07-15_unknown"
            << "";
        QTest::newRow("template, missing tag")
            << QStringList{"--template", "{exif:Make}{ext}"} << 1
            << "File1.txt|file2.txt|file10.txt|IMG_0042.JPG|Fujifilm.JPG"
            << "IMG_0042.JPG has no Make: it keeps its name";
        // Capture time first, files without one after by modified date; the
        // new names sort after they are made, and {n} follows the last order.
        QTest::newRow("taken") << QStringList{"--sort", "taken", "--template", "{n}_{name}"} << 0
                               << "1_IMG_0042|2_IMG_0101|3_File1|4_file2|5_file10"
                               << "";
        QTest::newRow("taken twice reverses")
            << QStringList{"--sort", "taken", "--sort", "taken", "--template", "{n}_{name}"} << 0
            << "1_file10|2_file2|3_File1|4_IMG_0101|5_IMG_0042"
            << "";
        QTest::newRow("newname after the names")
            << QStringList{"--sort", "newname", "--template",
                           "{exif:DateTimeOriginal:MMdd|undated}_{n}"}
            << 0 << "0714_1|0715_2|undated_3|undated_4|undated_5"
            << "";
        const QStringList texts{"--filter", "*.txt", "--template"};
        QTest::newRow("template, checksums")
            << texts + QStringList{"{hash:md5:8}.{hash:sha1:6}.{hash:sha256:12}.{hash:crc32}"} << 0
            << "c4ca4238.356a19.6b86b273ff34.83dcefb7|c81e728d.da4b92.d4735e3a265e.1ad5be0d|"
               "d3d94468.b1d578.4a44dc153642.a15d25e1"
            << "";
        QTest::newRow("template, sizes, folders, filters")
            << texts + QStringList{"{size}_{size:kb}_{dir}_{dir:2|upper}_{name|lower}{ext|upper}"}
            << 0 << "1_1_%D_%P_file1.TXT|1_1_%D_%P_file2.TXT|2_1_%D_%P_file10.TXT"
            << "";
        // The pattern's "#" counts the rows; the replace's is the record
        // number, as the No. column shows it (file10.txt is scanned second).
        QTest::newRow("replace-all with a number")
            << QStringList{"--pattern", "IMG_#", "--replace-all", "img", "--with-all", "pic#"} << 0
            << "pic1_1.txt|pic3_2.txt|pic2_3.txt|pic4_4.JPG|pic5_5.JPG"
            << "";
        QTest::newRow("same ignores the replace")
            << QStringList{"--pattern", "Same", "--replace", "e", "--with", "x"} << 0
            << "File1.txt|file2.txt|file10.txt|IMG_0042.JPG|IMG_0101.JPG"
            << "";
        // After --paste: the text of the pasted file.
        QTest::newRow("paste drops path characters")
            << QStringList{"--paste", "C:\\x/y.txt\r\nb\r\nc\r\nd\r\ne\r\n"} << 0
            << "Cxy.txt|b|c|d|e"
            << "";
        const QString none;
        QTest::newRow("paste LF only")
            << QStringList{"--paste", "1\n2\n3\n4\n5\n"} << 1 << none
            << "Cannot continue / The number of new file name's don't match old..";
        QTest::newRow("unknown filter")
            << QStringList{"--template", "{name|title}"} << 2 << none << "takes no fallback text";
        QTest::newRow("unknown checksum")
            << QStringList{"--template", "{hash:sha3}"} << 2 << none << "needs one of md5";
        QTest::newRow("unknown music tag")
            << QStringList{"--template", "{tag:composer}"} << 2 << none << "names no music tag";
        QTest::newRow("bad pattern") << QStringList{"--regex", "ab(c", "--with", ""} << 2 << none
                                     << "missing closing parenthesis at position 5";
        QTest::newRow("no such group") << QStringList{"--regex", "(a)", "--with", "\\2"} << 2
                                       << none << "group \\2, but the pattern has 1";
        QTest::newRow("regex and replace")
            << QStringList{"--regex", "a", "--replace", "b", "--with", "c"} << 2 << none
            << "--regex and --replace cannot be combined";
        QTest::newRow("unknown token")
            << QStringList{"--template", "{bytes}"} << 2 << none << "{bytes} is not a token";
        QTest::newRow("unknown tag")
            << QStringList{"--template", "{exif:Lens}"} << 2 << none << "no picture tag \"Lens\"";
        QTest::newRow("date tag without format")
            << QStringList{"--template", "{exif:DateTimeOriginal}"} << 2 << none
            << "needs a date format";
        QTest::newRow("open brace")
            << QStringList{"--template", "{name"} << 2 << none << "a \"{\" without its \"}\"";
        QTest::newRow("template and pattern") << QStringList{"--template", "{n}", "--pattern", "#"}
                                              << 2 << none << "cannot be combined with --pattern";
    }

    // Each option on one folder listed in natural order; a fault in the
    // options is refused before anything is listed.
    void names()
    {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, names);
        QFETCH(QString, err);
        Pictures pictures;
        TempFolder texts;
        if (const qsizetype paste = args.indexOf("--paste") + 1; paste > 0) {
            QVERIFY(texts.write("names", args[paste].toUtf8()));
            args[paste] = texts.file("names");
        }
        const CliRun r =
            runCli(QStringList{"list", pictures.dir.path(), "--sort", "natural"} + args);
        QVERIFY2(r.err.contains(err), qPrintable(r.err));
        QCOMPARE(r.status, status);
        // %D and %P: the names of the folder and its parent.
        const QDir folder(pictures.dir.path());
        QString parent = QFileInfo(folder.absolutePath()).dir().dirName();
        QCOMPARE(newNames(r.out), QString(names)
                                      .replace(QLatin1String("%D"), folder.dirName())
                                      .replace(QLatin1String("%P"), parent.toUpper()));
    }

    // Music files tagged by mutagen, named from their tags.
    void musicTags_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("tags"); // key=value for the tagging script
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("name");
        QTest::newRow("MP3, ID3v2")
            << "a.mp3"
            << QStringList{"artist=\u00c6r\u00f8sk\u00f8bing Band", "title=Hav", "track=3/12",
                           "date=2019"}
            << "{tag:track:2} {tag:artist|ascii} - {tag:title} ({tag:year}){ext}"
            << "03 AEroskobing Band - Hav (2019).mp3";
        QTest::newRow("FLAC, Vorbis comments")
            << "b.flac" << QStringList{"artist=\u6df1\u5733", "genre=Rock", "album=A/B"}
            << "{tag:artist|ascii}_{tag:genre|lower}_{tag:album}{ext}"
            << "Shen Zhen_rock_A_B.flac";
        QTest::newRow("a missing tag takes the fallback")
            << "c.mp3" << QStringList{"title=x"} << "{tag:album|No Album}_{tag:title}{ext}"
            << "No Album_x.mp3";
    }

    void musicTags()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, tags);
        QFETCH(QString, pattern);
        QFETCH(QString, name);
        TempFolder dir;
        QProcess python;
        python.start(QStringLiteral("/usr/bin/python3"),
                     QStringList{QStringLiteral(QUILLON_SOURCE_DIR "/tests/cli/tag-music.py"),
                                 dir.file(file)} +
                         tags);
        if (!python.waitForFinished(60000) || python.exitCode() == 77)
            QSKIP("python3 with mutagen is needed to write tagged files");
        QCOMPARE(python.exitCode(), 0);
        const CliRun r = runCli({"list", dir.path(), "--template", pattern});
        QCOMPARE(r.err, QString());
        QCOMPARE(newNames(r.out), name);
    }

    // A leading dot starts no extension, in every mode; random names keep
    // the whole extension.
    void dotFilesAndExtensions_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("names"); // a pattern for each, joined by "|"
        QTest::newRow("numbered") << QStringList{"--pattern", "File#", "--zeros", "0"}
                                  << "File1|File2\\.json|File3\\.jpeg|File4\\.gz";
        QTest::newRow("front back")
            << QStringList{"--pattern", "Front + Back"}
            << "Front \\.bashrc Back|Front \\.config Back\\.json|Front a Back\\.jpeg|"
               "Front c\\.tar Back\\.gz";
        QTest::newRow("template") << QStringList{"--template", "{name}_x{ext}"}
                                  << "\\.bashrc_x|\\.config_x\\.json|a_x\\.jpeg|c\\.tar_x\\.gz";
        QTest::newRow("upper, chosen ext")
            << QStringList{"--pattern", "UpperCase", "--ext", ".txt"}
            << "\\.BASHRC\\.txt|\\.CONFIG\\.txt|A\\.txt|C\\.TAR\\.txt";
        QTest::newRow("random") << QStringList{"--pattern", "Random Lowercase"}
                                << "[a-x]{7}0|[a-x]{7}1\\.json|[a-x]{7}2\\.jpeg|[a-x]{7}3\\.gz";
    }

    void dotFilesAndExtensions()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, names);
        TempFolder dir;
        for (const char* name : {".bashrc", ".config.json", "a.jpeg", "c.tar.gz"})
            QVERIFY(dir.write(name));
        const CliRun r = runCli(QStringList{"list", dir.path()} + args);
        QCOMPARE(r.status, 0);
        const QRegularExpression shape(
            QRegularExpression::anchoredPattern(names.split('|').join(QStringLiteral("\\|"))));
        QVERIFY2(shape.match(newNames(r.out)).hasMatch(), qPrintable(newNames(r.out)));
    }

    // Random names differ from run to run; --seed makes a run repeatable.
    void randomSeed()
    {
        TempFolder dir;
        for (int i = 0; i < 20; ++i)
            QVERIFY(dir.write(QStringLiteral("f%1.txt").arg(i)));
        const auto names = [&](const QStringList& seed) {
            const CliRun r =
                runCli(QStringList{"list", dir.path(), "--pattern", "Random UPPERcase"} + seed);
            return r.status == 0 ? newNames(r.out) : QStringLiteral("status %1").arg(r.status);
        };
        const QString seven = names({"--seed", "7"});
        QVERIFY2(seven.contains(".TXT|"), qPrintable(seven));
        QCOMPARE(names({"--seed", "7"}), seven);
        QVERIFY(names({"--seed", "8"}) != seven);
        QVERIFY(names({}) != names({}));
        QCOMPARE(names({"--seed", "x"}), QStringLiteral("status 2"));
    }

    // Camera pictures renamed by capture date and their own number, then
    // undone.
    void renamePicturesByDate()
    {
        Pictures pictures;
        const QStringList before = pictures.dir.names();
        TempFolder records;
        const QString undo = records.file("rec.undo");
        CliRun r = runCli({"rename", pictures.dir.path(), "--search-name", "IMG", "--template",
                           "{exif:DateTimeOriginal:yyyy-MM-dd}_Beach_{name}.jpg", "--regex",
                           "IMG_0*(\\d{3})", "--with", "\\1", "--undo-file", undo});
        QCOMPARE(r.status, 0);
        QCOMPARE(pictures.dir.names(),
                 (QStringList{"2024-07-14_Beach_042.jpg", "2024-07-15_Beach_101.jpg", "File1.txt",
                              "file10.txt", "file2.txt"}));
        r = runCli({"undo", "--undo-file", undo});
        QCOMPARE(r.status, 0);
        QCOMPARE(pictures.dir.names(), before);
    }
};

QTEST_GUILESS_MAIN(TestCliNaming)
#include "TestCliNaming.moc"
