// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliRun.h"
#include "ScratchMount.h"
#include "TempFolder.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <memory>

namespace
{

QStringList namesIn(const QString& folder)
{
    QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    names.sort();
    return names;
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// The new names for --paste, one per line ended by CR LF.
QByteArray pasted(const QStringList& names)
{
    return (names.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
}

} // namespace

// Renames on the disks that keep other rules than a Linux one: exFAT and
// NTFS made on a loop device, a tmpfs for the usual case.
class TestCliDiskNames : public QObject
{
    Q_OBJECT
private slots:
    void caseOnlyRenameAndUndo_data()
    {
        QTest::addColumn<int>("disk");
        QTest::newRow("exFAT") << int(ScratchMount::Exfat);
        QTest::newRow("NTFS") << int(ScratchMount::Ntfs);
        QTest::newRow("tmpfs") << int(ScratchMount::Tmpfs);
    }

    void caseOnlyRenameAndUndo()
    {
        QFETCH(int, disk);
        ScratchMount mount{ScratchMount::Kind(disk)};
        if (!mount.available())
            QSKIP(qPrintable(mount.skipReason()));
        const QString dir = mount.path();
        QVERIFY(writeFile(dir + "Report.TXT", "report") && writeFile(dir + "other.txt", "other"));
        TempFolder records;
        QVERIFY(records.write("names", pasted({"other.txt", "report.TXT"})));
        const QString undoFile = records.file("rec.undo");
        CliRun r =
            runCli({"rename", dir, "--paste", records.file("names"), "--undo-file", undoFile});
        QCOMPARE(r.err, QString());
        QCOMPARE(r.status, 0);
        QCOMPARE(namesIn(dir), (QStringList{"other.txt", "report.TXT"}));
        r = runCli({"undo", "--undo-file", undoFile});
        QCOMPARE(r.err, QString());
        QCOMPARE(r.status, 0);
        QCOMPARE(namesIn(dir), (QStringList{"Report.TXT", "other.txt"}));
        QFile back(dir + "Report.TXT");
        QVERIFY(back.open(QIODevice::ReadOnly));
        QCOMPARE(back.readAll(), QByteArray("report"));
    }

    void namesTheDiskRefuses_data()
    {
        QTest::addColumn<int>("disk");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QStringList>("newNames"); // of x1, x2, ...
        QTest::addColumn<QString>("line");         // of the dry run, naming the fault
        QTest::addColumn<QStringList>("after");    // the names once renamed
        const QString nfc = QStringLiteral("\u00e9.txt"), nfd = QStringLiteral("e\u0301.txt");
        const QString longStem = QString(200, QChar(0xe9));
        QTest::newRow("exFAT: names equal but for case")
            << int(ScratchMount::Exfat) << QStringList() << QStringList{"a.txt", "A.txt"}
            << "collides: x2 -> A.txt" << QStringList{"a.txt", "x2"};
        QTest::newRow("tmpfs keeps letter cases apart")
            << int(ScratchMount::Tmpfs) << QStringList() << QStringList{"a.txt", "A.txt"}
            << QString() << QStringList{"A.txt", "a.txt"};
        QTest::newRow("NFC twins")
            << int(ScratchMount::Tmpfs) << QStringList() << QStringList{nfc, nfd}
            << "collides: x2 -> " + nfd << QStringList{nfd, nfc};
        QTest::newRow("exFAT: a device name")
            << int(ScratchMount::Exfat) << QStringList() << QStringList{"con.txt", "b"}
            << "a Windows disk keeps the name CON for a device: x1 -> con.txt"
            << QStringList{"b", "x1"};
        QTest::newRow("NTFS: a trailing dot")
            << int(ScratchMount::Ntfs) << QStringList() << QStringList{"name."}
            << "a Windows disk refuses a name that ends in a dot or a space: x1 -> name."
            << QStringList{"x1"};
        QTest::newRow("tmpfs takes a device name")
            << int(ScratchMount::Tmpfs) << QStringList() << QStringList{"con.txt"} << QString()
            << QStringList{"con.txt"};
        QTest::newRow("--windows-names on tmpfs")
            << int(ScratchMount::Tmpfs) << QStringList{"--windows-names"}
            << QStringList{"LPT1", "tab\tname"}
            << "a Windows disk refuses the character U+0009: x2 -> tab\\tname"
            << QStringList{"x1", "x2"};
        QTest::newRow("--fit-length") << int(ScratchMount::Tmpfs) << QStringList{"--fit-length"}
                                      << QStringList{longStem + ".txt"} << QString()
                                      << QStringList{longStem.left(125) + ".txt"};
    }

    void namesTheDiskRefuses()
    {
        QFETCH(int, disk);
        QFETCH(QStringList, options);
        QFETCH(QStringList, newNames);
        QFETCH(QString, line);
        QFETCH(QStringList, after);
        ScratchMount mount{ScratchMount::Kind(disk)};
        if (!mount.available())
            QSKIP(qPrintable(mount.skipReason()));
        const QString dir = mount.path();
        for (int i = 1; i <= newNames.size(); ++i)
            QVERIFY(writeFile(dir + QStringLiteral("x%1").arg(i), QByteArray::number(i)));
        TempFolder records;
        QVERIFY(records.write("names", pasted(newNames)));
        const QStringList rename = QStringList{"rename",      dir,
                                               "--paste",     records.file("names"),
                                               "--undo-file", records.file("rec.undo")} +
                                   options;
        const CliRun dry = runCli(rename + QStringList{"--dry-run"});
        QCOMPARE(dry.status, 0);
        const QStringList lines = dry.out.split('\n', Qt::SkipEmptyParts);
        if (line.isEmpty())
            QVERIFY2(lines.size() == newNames.size(), qPrintable(dry.out));
        else
            QVERIFY2(lines.contains(line), qPrintable(dry.out));
        QCOMPARE(namesIn(dir).size(), newNames.size()); // nothing renamed yet

        const CliRun real = runCli(rename);
        QCOMPARE(namesIn(dir), after);
        if (line.contains(QLatin1String("Windows"))) {
            QCOMPARE(real.status, 1);
            QVERIFY2(real.err.contains(line.section(QLatin1Char(':'), 0, 0)), qPrintable(real.err));
        }
    }
};

QTEST_GUILESS_MAIN(TestCliDiskNames)
#include "TestCliDiskNames.moc"
