// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/ExcelFile.h"
#include "platform/PosixFileSystem.h"

#include <QBuffer>
#include <QTest>

#include <functional>

namespace
{

// Runs one named operation of the writer with its arguments.
void apply(ExcelFile& xl, const QString& call, const QVariantList& a)
{
    if (call == QLatin1String("WriteValue"))
        xl.writeValue(ExcelFile::CellType(a[0].toInt()), a[1].toInt(), a[2].toInt(), a[3].toInt(),
                      a[4].toInt(), a[5].toInt(), a[6]);
    else if (call == QLatin1String("SetMargin"))
        xl.setMargin(a[0].toInt(), a[1].toDouble());
    else if (call == QLatin1String("SetColumnWidth"))
        xl.setColumnWidth(a[0].toInt(), a[1].toInt(), a[2].toInt());
    else if (call == QLatin1String("SetFont"))
        xl.setFont(a[0].toString(), a[1].toInt(), a[2].toInt());
    else if (call == QLatin1String("SetHeader"))
        xl.setHeader(a[0].toString());
    else if (call == QLatin1String("SetFooter"))
        xl.setFooter(a[0].toString());
    else if (call == QLatin1String("PrintGridLines"))
        xl.setPrintGridLines(a[0].toBool());
    else
        QFAIL("unknown call");
}

// The bytes of a spreadsheet file after work on it; the writer goes out of
// scope (and writes what it still owes) before they are read.
QByteArray written(const std::function<void(ExcelFile&)>& work)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    PosixFileSystem fs;
    {
        ExcelFile xl(fs);
        xl.create(buffer);
        work(xl);
    }
    return buffer.data();
}

} // namespace

class TestExcelFile : public QObject
{
    Q_OBJECT
private slots:
    // The spreadsheet file alone: every record as bytes between the start and
    // code page records and the end record; an empty expectation means the call fails silently and
    // writes nothing.
    void records_data()
    {
        QTest::addColumn<QString>("call");
        QTest::addColumn<QVariantList>("args");
        QTest::addColumn<QByteArray>("hex");
        auto row = [](const char* name, const char* call, QVariantList args, QByteArray hex) {
            QTest::newRow(name) << QString::fromLatin1(call) << args << hex;
        };
        const QString x255(255, u'x'), x256(256, u'x');
        // clang-format off
        row("text No.", "WriteValue", {2, 64, 1, 0, 3, 1, "No."}, "04000b0002000000004001034e6f2e");
        row("empty text", "WriteValue", {2, 0, 1, 0, 4, 2, ""}, "040008000300010000000100");
        row("whole number", "WriteValue", {0, 128, 3, 64, 1, 1, -2}, "0200090000000000408003feff");
        row("whole number rounds half to even", "WriteValue", {0, 0, 0, 0, 1, 1, 2.5},
            "02000900000000000000000200");
        row("number", "WriteValue", {1, 0, 0, 0, 2, 2, 0.5}, "03000f0001000100000000000000000000e03f");
        row("other value type", "WriteValue", {3, 0, 0, 0, 1, 1, "x"}, "");
        row("text in Windows-1252", "WriteValue", {2, 0, 0, 0, 1, 1, QStringLiteral("é€名")},
            "04000b000000000000000003e9803f");
        row("row 32768", "WriteValue", {2, 0, 0, 0, 32768, 1, ""}, "04000800ff7f000000000000");
        row("row 65536", "WriteValue", {2, 0, 0, 0, 65536, 1, ""}, "04000800ffff000000000000");
        row("row 98303 wraps", "WriteValue", {2, 0, 0, 0, 98303, 1, ""}, "04000800fe7f000000000000");
        row("text of 255", "WriteValue", {2, 0, 0, 0, 1, 1, x255},
            "0400070100000000000000ff" + x255.toLatin1().toHex());
        row("text of 256 left out", "WriteValue", {2, 0, 0, 0, 1, 1, x256}, "");
        row("row 98304 left out", "WriteValue", {2, 0, 0, 0, 98304, 1, "a"}, "");
        row("column 98304 left out", "WriteValue", {2, 0, 0, 0, 1, 98304, "a"}, "");
        row("whole number 32768 left out", "WriteValue", {0, 0, 0, 0, 1, 1, 32768}, "");
        row("whole number -32769 left out", "WriteValue", {0, 0, 0, 0, 1, 1, -32769}, "");
        row("whole number from a word left out", "WriteValue", {0, 0, 0, 0, 1, 1, "abc"}, "");
        row("top margin", "SetMargin", {40, 0.5}, "28000800000000000000e03f");
        row("column width", "SetColumnWidth", {4, 4, 62}, "240004000303003e");
        row("width 127", "SetColumnWidth", {1, 2, 127}, "240004000001007f");
        row("width 128 left out", "SetColumnWidth", {1, 1, 128}, "");
        row("column 0 left out", "SetColumnWidth", {0, 1, 12}, "");
        row("font", "SetFont", {"Arial", 9, 1}, "31000a00b400010005417269616c");
        row("font height 1638", "SetFont", {"A", 1638, 0}, "31000600f87f00000141");
        row("font height 1639 left out", "SetFont", {"A", 1639, 0}, "");
        row("font name of 256 left out", "SetFont", {x256, 9, 0}, "");
        row("header", "SetHeader", {"Dir"}, "1400040003446972");
        row("footer", "SetFooter", {""}, "1500010000");
        row("header of 256 left out", "SetHeader", {x256}, "");
        row("grid lines off", "PrintGridLines", {false}, "2b0002000000");
        // clang-format on
    }

    void records()
    {
        QFETCH(QString, call);
        QFETCH(QVariantList, args);
        QFETCH(QByteArray, hex);
        const QByteArray bytes = written([&](ExcelFile& xl) {
            apply(xl, call, args);
            QCOMPARE(xl.close(), 0);
        });
        QCOMPARE(bytes.toHex(), "0900040002001000"
                                "42000200e404" +
                                    hex + "0a000000");
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
        const QByteArray bytes = written([&](ExcelFile& xl) {
            for (int i = 0; i < closeCalls; ++i)
                QCOMPARE(xl.close(), 0);
        });
        QCOMPARE(bytes.toHex(), QByteArray("0900040002001000"
                                           "42000200e404"
                                           "0a000000"));
    }
};

QTEST_GUILESS_MAIN(TestExcelFile)
#include "TestExcelFile.moc"
