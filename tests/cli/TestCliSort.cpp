#include "platform/PosixFileSystem.h"

#include "TempFolder.h"

#include <QDateTime>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

namespace
{

struct Run {
    int status = -1;
    QList<QStringList> rows; // fields of each listed row, header left out
    QString err;
};

Run runCli(const QStringList& arguments)
{
    QProcess p;
    p.start(QStringLiteral(QUILLON_CLI), arguments);
    p.waitForFinished(60000);
    Run run{p.exitCode(), {}, QString::fromUtf8(p.readAllStandardError())};
    QStringList lines = QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'));
    for (qsizetype i = 1; i < lines.size(); ++i)
        if (!lines[i].isEmpty())
            run.rows << lines[i].split(QLatin1Char('\t'));
    return run;
}

QStringList column(const Run& run, int field)
{
    QStringList out;
    for (const QStringList& row : run.rows)
        out << row.value(field);
    return out;
}

// Five files with sizes and modified times that order them differently
// from their names.
struct Folder {
    TempFolder dir;
    Folder()
    {
        PosixFileSystem fs;
        const struct {
            const char* name;
            int size;
            const char* modified;
        } files[] = {{"a.txt", 300, "2021-05-01T08:00:00"},
                     {"B.txt", 1000, "2019-03-01T08:00:00"},
                     {"c.txt", 999, "2020-01-02T13:00:00"},
                     {"d.txt", 9, "2020-01-02T11:00:00"},
                     {"e.txt", 10, "2020-01-10T00:00:00"}};
        for (const auto& f : files) {
            const QString name = QString::fromLatin1(f.name);
            dir.write(name, QByteArray(f.size, 'x'));
            const QDateTime t = QDateTime::fromString(QString::fromLatin1(f.modified), Qt::ISODate);
            fs.setModifiedTime(dir.file(name), {t.toSecsSinceEpoch(), 0});
        }
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
        const QStringList bySize{"d.txt", "e.txt", "a.txt", "c.txt", "B.txt"};
        QTest::newRow("size") << QStringList{"size"} << bySize;
        QTest::newRow("size twice") << QStringList{"size", "size"}
                                    << QStringList{"B.txt", "c.txt", "a.txt", "e.txt", "d.txt"};
        QTest::newRow("name, letter case aside")
            << QStringList{"name"} << QStringList{"a.txt", "B.txt", "c.txt", "d.txt", "e.txt"};
        QTest::newRow("modified by date and time")
            << QStringList{"modified"} << QStringList{"B.txt", "d.txt", "c.txt", "e.txt", "a.txt"};
        QTest::newRow("another column, then size") << QStringList{"name", "SIZE"} << bySize;
        QTest::newRow("number column") << QStringList{"no"} << QStringList();
    }

    // Each --sort is one header click; the new names are numbered in the
    // order shown.
    void sorts()
    {
        QFETCH(QStringList, sorts);
        QFETCH(QStringList, names);
        Folder folder;
        QStringList args{QStringLiteral("list"), folder.dir.path()};
        for (const QString& s : sorts)
            args << QStringLiteral("--sort") << s;
        const Run run = runCli(args);
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

    void unknownColumn()
    {
        Folder folder;
        const Run run =
            runCli({QStringLiteral("list"), folder.dir.path(), QStringLiteral("--sort"), "date"});
        QCOMPARE(run.status, 2);
        QVERIFY(run.err.contains(QStringLiteral("--sort takes")));
        QVERIFY(run.rows.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCliSort)
#include "TestCliSort.moc"
