#include "platform/DateText.h"
#include "platform/NumberText.h"

#include <QTest>

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
        QFETCH(QDateTime, when);
        QCOMPARE(DateText::parse(text), when);
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
};

QTEST_GUILESS_MAIN(TestDateText)
#include "TestDateText.moc"
