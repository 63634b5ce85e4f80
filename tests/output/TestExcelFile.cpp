#include "output/ExcelFile.h"

#include <QBuffer>
#include <QTest>

namespace
{

const QByteArray Start = QByteArray::fromHex("0900040002000a00");
const QByteArray End = QByteArray::fromHex("0a000000");

// Runs one named operation of the writer with its arguments.
void apply(ExcelFile& xl, const QString& call, const QVariantList& a)
{
    if (call == QLatin1String("WriteValue"))
        xl.WriteValue(a[0].toInt(), a[1].toInt(), a[2].toInt(), a[3].toInt(), a[4].toInt(),
                      a[5].toInt(), a[6]);
    else if (call == QLatin1String("SetMargin"))
        xl.SetMargin(a[0].toInt(), a[1].toDouble());
    else if (call == QLatin1String("SetColumnWidth"))
        xl.SetColumnWidth(a[0].toInt(), a[1].toInt(), a[2].toInt());
    else if (call == QLatin1String("SetFont"))
        xl.SetFont(a[0].toString(), a[1].toInt(), a[2].toInt());
    else if (call == QLatin1String("SetHeader"))
        xl.SetHeader(a[0].toString());
    else if (call == QLatin1String("SetFooter"))
        xl.SetFooter(a[0].toString());
    else if (call == QLatin1String("PrintGridLines"))
        xl.setPrintGridLines(a[0].toBool());
    else if (call == QLatin1String("ProtectSpreadsheet"))
        xl.setProtectSpreadsheet(a[0].toBool());
    else
        QFAIL("unknown call");
}

QString repeated(int n)
{
    return QString(n, QLatin1Char('x'));
}

} // namespace

class TestExcelFile : public QObject
{
    Q_OBJECT
private slots:
    // Every record as bytes between the start and the end record; an empty
    // expectation means the call fails silently and writes nothing.
    void records_data()
    {
        QTest::addColumn<QString>("call");
        QTest::addColumn<QVariantList>("args");
        QTest::addColumn<QByteArray>("hex");
        auto row = [](const char* name, const char* call, QVariantList args, const char* hex) {
            QTest::newRow(name) << QString::fromLatin1(call) << args << QByteArray(hex);
        };
        row("text No.", "WriteValue", {2, 64, 1, 0, 3, 1, "No."},
            "04000b000200000000400103"
            "4e6f2e");
        row("empty text", "WriteValue", {2, 0, 1, 0, 4, 2, ""}, "040008000300010000000100");
        row("whole number", "WriteValue", {0, 128, 3, 64, 1, 1, -2},
            "020009000000000040800"
            "3feff");
        row("whole number rounds half to even", "WriteValue", {0, 0, 0, 0, 1, 1, 2.5},
            "0200090000000000000000"
            "0200");
        row("number", "WriteValue", {1, 0, 0, 0, 2, 2, 0.5},
            "03000f0001000100000000"
            "000000000000e03f");
        row("other value type", "WriteValue", {3, 0, 0, 0, 1, 1, "x"}, "");
        row("text in Windows-1252", "WriteValue", {2, 0, 0, 0, 1, 1, QStringLiteral("é€名")},
            "04000b0000000000000000"
            "03e9803f");
        row("row 32768", "WriteValue", {2, 0, 0, 0, 32768, 1, ""}, "04000800ff7f000000000000");
        row("row 65536", "WriteValue", {2, 0, 0, 0, 65536, 1, ""}, "04000800ffff000000000000");
        row("row 98303 wraps", "WriteValue", {2, 0, 0, 0, 98303, 1, ""},
            "04000800fe7f000000000000");
        row("text of 255", "WriteValue", {2, 0, 0, 0, 1, 1, repeated(255)},
            QByteArray("0400"
                       "0701"
                       "0000"
                       "0000"
                       "000000"
                       "ff" +
                       QByteArray(255, 'x').toHex())
                .constData());
        row("text of 256 left out", "WriteValue", {2, 0, 0, 0, 1, 1, repeated(256)}, "");
        row("row 98304 left out", "WriteValue", {2, 0, 0, 0, 98304, 1, "a"}, "");
        row("column 98304 left out", "WriteValue", {2, 0, 0, 0, 1, 98304, "a"}, "");
        row("whole number 32768 left out", "WriteValue", {0, 0, 0, 0, 1, 1, 32768}, "");
        row("whole number -32769 left out", "WriteValue", {0, 0, 0, 0, 1, 1, -32769}, "");
        row("whole number from a word left out", "WriteValue", {0, 0, 0, 0, 1, 1, "abc"}, "");
        row("top margin", "SetMargin", {40, 0.5},
            "280008000000000000"
            "00e03f");
        row("column width", "SetColumnWidth", {4, 4, 62},
            "24000400030300"
            "3e");
        row("width 127", "SetColumnWidth", {1, 2, 127},
            "24000400000100"
            "7f");
        row("width 128 left out", "SetColumnWidth", {1, 1, 128}, "");
        row("column 0 left out", "SetColumnWidth", {0, 1, 12}, "");
        row("font", "SetFont", {"Arial", 9, 1},
            "31000a00b4000100"
            "05417269616c");
        row("font height 1638", "SetFont", {"A", 1638, 0},
            "31000600f87f0000"
            "0141");
        row("font height 1639 left out", "SetFont", {"A", 1639, 0}, "");
        row("font name of 256 left out", "SetFont", {repeated(256), 9, 0}, "");
        row("header", "SetHeader", {"Dir"},
            "1400040003"
            "446972");
        row("footer", "SetFooter", {""},
            "15000100"
            "00");
        row("header of 256 left out", "SetHeader", {repeated(256)}, "");
        row("grid lines off", "PrintGridLines", {false}, "2b0002000000");
        row("protected", "ProtectSpreadsheet", {true}, "120002000100");
    }

    void records()
    {
        QFETCH(QString, call);
        QFETCH(QVariantList, args);
        QFETCH(QByteArray, hex);
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        {
            ExcelFile xl;
            xl.CreateFile(buffer);
            apply(xl, call, args);
            xl.CloseFile();
        }
        QCOMPARE(buffer.data().toHex(), (Start + QByteArray::fromHex(hex) + End).toHex());
    }

    // The end record is written once: by CloseFile, or by the destructor
    // when the file was left open.
    void endRecordOnce_data()
    {
        QTest::addColumn<int>("closeCalls");
        QTest::newRow("closed by the destructor") << 0;
        QTest::newRow("closed once") << 1;
        QTest::newRow("closed twice") << 2;
    }

    void endRecordOnce()
    {
        QFETCH(int, closeCalls);
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        {
            ExcelFile xl;
            xl.CreateFile(buffer);
            for (int i = 0; i < closeCalls; ++i)
                QCOMPARE(xl.CloseFile(), 0);
        }
        QCOMPARE(buffer.data().toHex(), QByteArray("0900040002000a000a000000"));
    }
};

QTEST_GUILESS_MAIN(TestExcelFile)
#include "TestExcelFile.moc"
