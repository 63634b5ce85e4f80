// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/FileDates.h"
#include "app/RenamePass.h"
#include "filelist/ListSorter.h"
#include "platform/DateText.h"
#include "platform/NumberText.h"

#include "CliRun.h"
#include "ScannedFolder.h"

#include <QTest>

#include <ctime>

namespace
{

const QList<QDateTime> moments{
    QDateTime(QDate(2026, 12, 6), QTime(12, 40, 42)), QDateTime(QDate(2020, 1, 2), QTime(0, 0)),
    QDateTime(QDate(2021, 12, 31), QTime(0, 0, 1)), QDateTime(QDate(2024, 7, 4), QTime(23, 59, 59)),
    QDateTime(QDate(2024, 7, 4), QTime(9, 5))};

qint64 secs(const QDateTime& d)
{
    return d.toSecsSinceEpoch();
}

} // namespace

// Dates in the user's locale, chosen as LANG chooses it (the default locale,
// not a pin): every date text the program shows parses back to the same
// second, the date column sorts by date, and picked dates reach the disk.
class TestDateLocales : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { QLocale::setDefault(QLocale(QStringLiteral("en_US"))); }

    void everyLocale_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text"); // of the first moment; "" not checked
        const QString iso = QStringLiteral("2026-12-06 12:40:42");
        const auto row = [](const char* name, const QString& text) {
            QTest::newRow(name) << QString::fromLatin1(name) << text;
        };
        row("C.UTF-8", iso);
        row("POSIX", iso);
        row("en_US", "12/6/2026 12:40:42 PM");
        row("en_GB", "06/12/2026 12:40:42");
        row("de_DE", "06.12.2026 12:40:42");
        row("fr_FR", "06/12/2026 12:40:42");
        row("ja_JP", "2026/12/06 12時40分42秒");
        for (const char* name :
             {"ko_KR", "sv_SE", "es_ES", "fa_IR", "zh_TW", "ar_EG", "bg_BG", "fr_CA"})
            row(name, {});
    }

    void everyLocale()
    {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QLocale::setDefault(QLocale(locale));
        if (!text.isEmpty())
            QCOMPARE(DateText::format(moments[0]), text);
        // Midnight shows the date alone, as a picker writes it.
        QCOMPARE(DateText::format(moments[1]), DateText::shortDate(moments[1].date()));
        for (const QDateTime& m : moments) {
            const QString shown = DateText::fromEpoch(secs(m));
            QCOMPARE(DateText::format(m), shown);
            QCOMPARE(DateText::parse(shown), m);
            QCOMPARE(DateText::parse(DateText::shortDate(m.date())), m.date().startOfDay());
        }
        const QDateTime zero = DateText::zeroDate();
        QCOMPARE(DateText::parse(DateText::format(zero)), zero);

        // The scan shows the modified times; the date column sorts by them.
        ScannedFolder f;
        for (int i = 0; i < moments.size(); ++i) {
            const QString name = QStringLiteral("f%1").arg(i);
            QVERIFY(f.dir.write(name, "x"));
            QCOMPARE(f.fs.setModifiedTime(f.dir.file(name), {secs(moments[i]), 0}), 0);
        }
        f.scan(f.dir.path());
        ListSorter sorter;
        sorter.setColumnKind(2, ListSorter::DateTime);
        sorter.sortByHeader(f.session.model(), 2);
        QCOMPARE(f.names(), (QStringList{"f1", "f2", "f4", "f3", "f0"}));

        // A picked day and a full date and time are written to every file.
        FileDates::creationPickerChanged(f.session, DateText::shortDate(moments[0].date()), {});
        FileDates::modifiedPickerChanged(f.session, DateText::format(moments[3]), {});
        RenamePass(f.session).renameFiles(-1);
        for (const QString& name : f.dir.names()) {
            FileSystem::Entry e;
            QCOMPARE(f.fs.stat(f.dir.file(name), e), 0);
            QCOMPARE(e.created.seconds, secs(moments[0].date().startOfDay()));
            QCOMPARE(e.modified.seconds, secs(moments[3]));
        }
    }

    void cliUnderLang_data()
    {
        QTest::addColumn<QString>("lang");    // LANG, or VARIABLE=VALUE pairs
        QTest::addColumn<QString>("created"); // as given on the command line
        QTest::addColumn<QString>("shown");   // the listed creation date
        const char* iso = "2026-12-06 12:40:42";
        QTest::newRow("C.UTF-8") << "C.UTF-8" << iso << iso;
        QTest::newRow("C, ISO") << "C"
                                << "2026-12-06T12:40:42" << iso;
        QTest::newRow("de_DE") << "de_DE.UTF-8"
                               << "06.12.2026 12:40:42"
                               << "06.12.2026 12:40:42";
        QTest::newRow("LC_TIME=C") << "LANG=en_US.UTF-8 LC_TIME=C.UTF-8" << iso << iso;
    }

    // quillon-cli takes its locale from LANG (its dates from LC_TIME): a date given in it is
    // written, and the listing shows it in the same form.
    void cliUnderLang()
    {
        QFETCH(QString, lang);
        QFETCH(QString, created);
        QFETCH(QString, shown);
        TempFolder dir;
        QVERIFY(dir.write("a.txt", "a"));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("LC_ALL"));
        for (const QString& pair : lang.split(u' ')) {
            const qsizetype eq = pair.indexOf(u'=');
            env.insert(eq < 0 ? QStringLiteral("LANG") : pair.left(eq), pair.mid(eq + 1));
        }
        CliRun r = runCliProcess({"rename", dir.path(), "--pattern", "b#", "--created", created,
                                  "--modified", "2020-01-02"},
                                 {}, env);
        QCOMPARE(r.status, 0);
        FileSystem::Entry e;
        QCOMPARE(PosixFileSystem().stat(dir.file("b1.txt"), e), 0);
        QCOMPARE(e.created.seconds, secs(moments[0]));
        QCOMPARE(e.modified.seconds, secs(moments[1]));
        r = runCliProcess({"list", dir.path()}, {}, env);
        QVERIFY2(r.out.contains(shown), qPrintable(r.out));
    }

    // Under the test default, en_US and UTC:
    void parses_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDateTime>("when");
        QTest::newRow("iso date") << "2020-01-02" << QDateTime(QDate(2020, 1, 2), QTime(0, 0));
        QTest::newRow("iso date and time")
            << "2020-01-02T03:04:05" << QDateTime(QDate(2020, 1, 2), QTime(3, 4, 5));
        QTest::newRow("iso with a blank")
            << "2020-01-02 03:04:05" << QDateTime(QDate(2020, 1, 2), QTime(3, 4, 5));
        QTest::newRow("not a date") << "yesterday" << QDateTime();
        QTest::newRow("empty") << "" << QDateTime();
        QTest::newRow("bad day") << "2/30/2020" << QDateTime();
    }

    void parses()
    {
        QFETCH(QString, text);
        QTEST(DateText::parse(text), "when");
    }

    void sizes_data()
    {
        QTest::addColumn<qint64>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("0") << qint64(0) << "0";
        QTest::newRow("999") << qint64(999) << "999";
        QTest::newRow("1000") << qint64(1000) << "1,000";
        QTest::newRow("3e9") << qint64(3000000000LL) << "3,000,000,000";
        QTest::newRow("5 GiB") << qint64(5368709120LL) << "5,368,709,120";
    }

    void sizes()
    {
        QFETCH(qint64, value);
        QFETCH(QString, text);
        QCOMPARE(NumberText::grouped(value), text);
        qint64 back = -1;
        QVERIFY(NumberText::parse(text, back));
        QCOMPARE(back, value);
    }

    void acrossDaylightSaving_data()
    {
        QTest::addColumn<qint64>("change"); // the UTC second the clocks move
        QTest::newRow("spring forward")
            << QDateTime(QDate(2021, 3, 28), QTime(1, 0), Qt::UTC).toSecsSinceEpoch();
        QTest::newRow("fall back")
            << QDateTime(QDate(2021, 10, 31), QTime(1, 0), Qt::UTC).toSecsSinceEpoch();
    }

    // Rows of a folder are written through a cache of the last local day.
    // Across a change of the clocks, and after the time zone itself changed
    // under a day the cache holds, every text must still say the local time
    // of its own second and read back to it.
    void acrossDaylightSaving()
    {
        QFETCH(qint64, change);
        const qint64 first = change - 36 * 3600;
        DateText::fromEpoch(first); // its day cached while the zone is UTC
        qputenv("TZ", "Europe/Berlin");
        tzset();
        const auto restore = qScopeGuard([] {
            qputenv("TZ", "UTC");
            tzset();
        });
        for (qint64 s = first; s <= change + 36 * 3600; s += 15 * 60 + 7) {
            const QDateTime local = QDateTime::fromSecsSinceEpoch(s);
            const QString text = DateText::fromEpoch(s);
            QCOMPARE(text, DateText::format(local));
            // The hour that the fall back shows twice reads back as either.
            const qint64 back = DateText::parse(text).toSecsSinceEpoch();
            QVERIFY2(back == s || qAbs(back - s) == 3600, qPrintable(text));
            if (local.offsetFromUtc() == QDateTime::fromSecsSinceEpoch(s + 3600).offsetFromUtc() &&
                local.offsetFromUtc() == QDateTime::fromSecsSinceEpoch(s - 3600).offsetFromUtc())
                QCOMPARE(back, s);
        }
    }
};

QTEST_GUILESS_MAIN(TestDateLocales)
#include "TestDateLocales.moc"
