// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliRun.h"
#include "TempFolder.h"

#include <QRegularExpression>
#include <QTest>

namespace
{

// Field `field` of every listed row, the header left out.
QStringList column(const CliRun& run, int field)
{
    QStringList out = run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts).mid(1);
    for (QString& row : out)
        row = row.section(QLatin1Char('\t'), field, field);
    return out;
}

// Five files whose sizes order them differently from their names.
struct Folder {
    TempFolder dir;
    Folder()
    {
        for (auto [name, size] : {std::pair{"a.txt", 300},
                                  {"B.txt", 1000},
                                  {"c.txt", 999},
                                  {"d.txt", 9},
                                  {"e.txt", 10}})
            dir.write(QString::fromLatin1(name), QByteArray(size, 'x'));
    }
};

} // namespace

class TestCliSort : public QObject
{
    Q_OBJECT
private slots:
    void sorts_data()
    {
        QTest::addColumn<QStringList>("sorts");
        QTest::addColumn<QStringList>("names"); // empty: the scan order reversed
        QTest::addColumn<QString>("locale");    // LC_ALL, when not the tests' own
        const QStringList bySize{"d.txt", "e.txt", "a.txt", "c.txt", "B.txt"};
        QTest::newRow("size") << QStringList{"size"} << bySize << "";
        QTest::newRow("size twice")
            << QStringList{"size", "size"}
            << QStringList{"B.txt", "c.txt", "a.txt", "e.txt", "d.txt"} << "";
        // Letter case aside in every locale, as the scan orders a folder.
        const QStringList byName{"a.txt", "B.txt", "c.txt", "d.txt", "e.txt"};
        for (const char* locale : {"", "C", "C.UTF-8", "POSIX", "de_DE.UTF-8"})
            QTest::newRow(qPrintable(QStringLiteral("name %1").arg(locale)))
                << QStringList{"name"} << byName << locale;
        QTest::newRow("number column") << QStringList{"no"} << QStringList() << "";
    }

    // Each --sort is one header click; the new names are numbered in the
    // order shown.
    void sorts()
    {
        QFETCH(QStringList, sorts);
        QFETCH(QStringList, names);
        QFETCH(QString, locale);
        Folder folder;
        QStringList args{QStringLiteral("list"), folder.dir.path()};
        for (const QString& s : sorts)
            args << QStringLiteral("--sort") << s;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        if (!locale.isEmpty())
            environment.insert(QStringLiteral("LC_ALL"), locale);
        const CliRun run = runCliProcess(args, {}, environment);
        QCOMPARE(run.err, QString());
        QCOMPARE(run.status, 0);
        if (names.isEmpty()) {
            names = column(runCli({QStringLiteral("list"), folder.dir.path()}), 3);
            std::reverse(names.begin(), names.end());
        }
        QCOMPARE(column(run, 3), names);
        const QStringList newNames = column(run, 4);
        for (int k = 0; k < newNames.size(); ++k) {
            const QRegularExpression numbered(
                QStringLiteral("^New_Filename_0*%1\\.txt$").arg(k + 1));
            QVERIFY2(numbered.match(newNames[k]).hasMatch(), qPrintable(newNames[k]));
        }
    }
};

QTEST_GUILESS_MAIN(TestCliSort)
#include "TestCliSort.moc"
