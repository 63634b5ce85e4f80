#include "platform/DosAttrib.h"

#include <QTest>

namespace
{

QByteArray hex(const char* text)
{
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

// 2020-01-02 03:04:05 UTC in NT time.
constexpr quint64 Jan2020 = 0x01d5c1194ac40080ULL;

} // namespace

class TestDosAttrib : public QObject
{
    Q_OBJECT
private slots:
    void writesVersionFiveAsSamba()
    {
        DosAttrib a;
        a.attributesValid = a.createTimeValid = true;
        a.attributes = 0x22;
        a.createTime = DosAttrib::ntTimeFromUnix(1577934245, 0);
        QCOMPARE(a.encode(),
                 hex("00 00 05 00 05 00 00 00 11 00 00 00 22 00 00 00 80 00 c4 4a 19 c1 d5 01"));
    }

    void reads_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("present");
        QTest::addColumn<quint32>("attributes");
        QTest::addColumn<quint64>("createTime");

        QTest::newRow("v5")
            << hex("00 00 05 00 05 00 00 00 11 00 00 00 22 00 00 00 80 00 c4 4a 19 c1 d5 01")
            << true << 0x22u << Jan2020;
        QTest::newRow("v5 create time not valid")
            << hex("00 00 05 00 05 00 00 00 01 00 00 00 02 00 00 00 80 00 c4 4a 19 c1 d5 01")
            << true << 0x02u << quint64(0);
        QTest::newRow("v4") << hex("00 00 04 00 04 00 00 00 11 00 00 00 04 00 00 00"
                                   "ff ff ff ff ff ff ff ff 80 00 c4 4a 19 c1 d5 01")
                            << true << 0x04u << Jan2020;
        // "0x22" NUL, pad to 6, version 3, level 3, pad to 12, valid, attrib, ea_size,
        // size, alloc_size, create, change.
        QTest::newRow("v3") << hex("30 78 32 32 00 00 03 00 03 00 00 00 11 00 00 00 22 00 00 00"
                                   "00 00 00 00 0a 00 00 00 00 00 00 00 00 10 00 00 00 00 00 00"
                                   "80 00 c4 4a 19 c1 d5 01 00 00 00 00 00 00 00 00")
                            << true << 0x22u << Jan2020;
        // "0x1" NUL, version 1, level 1, attrib, ea_size, size, alloc, create, change.
        QTest::newRow("v1") << hex("30 78 31 00 01 00 01 00 01 00 00 00 00 00 00 00"
                                   "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"
                                   "80 00 c4 4a 19 c1 d5 01 00 00 00 00 00 00 00 00")
                            << true << 0x01u << Jan2020;
        QTest::newRow("v1 zero create time")
            << hex("30 78 31 00 01 00 01 00 01 00 00 00 00 00 00 00"
                   "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"
                   "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00")
            << true << 0x01u << quint64(0);
        QTest::newRow("bare hex text") << QByteArray("0x26") << true << 0x26u << quint64(0);
        QTest::newRow("bare hex text with NUL")
            << QByteArray("0x2", 4) << true << 0x2u << quint64(0);
        QTest::newRow("unknown version")
            << hex("00 00 07 00 07 00 00 00 11 00 00 00 22 00 00 00") << false << 0u << quint64(0);
        QTest::newRow("truncated v5")
            << hex("00 00 05 00 05 00 00 00 11 00 00 00 22") << false << 0u << quint64(0);
        QTest::newRow("garbage") << QByteArray("hello") << false << 0u << quint64(0);
        QTest::newRow("empty") << QByteArray() << false << 0u << quint64(0);
    }

    void reads()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, present);
        QFETCH(quint32, attributes);
        QFETCH(quint64, createTime);
        const DosAttrib a = DosAttrib::decode(bytes);
        QCOMPARE(a.present, present);
        QCOMPARE(a.attributes, attributes);
        QCOMPARE(a.createTime, createTime);
        QCOMPARE(a.createTimeValid, createTime != 0);
    }

    void roundTripsThroughVersionFive()
    {
        DosAttrib a;
        a.attributesValid = true;
        a.attributes = 0x05;
        const DosAttrib b = DosAttrib::decode(a.encode());
        QVERIFY(b.present);
        QCOMPARE(b.attributes, 0x05u);
        QVERIFY(!b.createTimeValid);
    }

    void convertsNtTime()
    {
        qint64 s;
        qint32 ns;
        DosAttrib::unixFromNtTime(DosAttrib::ntTimeFromUnix(1577934245, 123456700), s, ns);
        QCOMPARE(s, qint64(1577934245));
        QCOMPARE(ns, 123456700);
    }
};

QTEST_GUILESS_MAIN(TestDosAttrib)
#include "TestDosAttrib.moc"
