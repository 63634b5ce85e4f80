#include "platform/DateText.h"
#include "platform/NumberText.h"

#include <QTest>

#include <ctime>

// Runs with LANG=en_US.UTF-8 and TZ=UTC (set for every test); the texts of
// every locale are checked in TestDateLocales.
class TestDateText : public QObject
{
    Q_OBJECT
private slots:
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

QTEST_GUILESS_MAIN(TestDateText)
#include "TestDateText.moc"
