// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/QtListingPrinter.h"
#include "output/ListingPrint.h"
#include "platform/PosixFileSystem.h"

#include "ListRows.h"
#include "PromptRecorder.h"
#include "TempFolder.h"

#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

namespace
{

const QString Dr = QStringLiteral("/data/photos");
const QString PrinterError = QStringLiteral("Error Occured, Please check your printer.");

// Logs every call; fails after a number of printed items when asked to.
class RecordingPrinter : public ListingPrinter
{
public:
    double width = 10000;
    int failAfter = -1;
    QStringList log;

    double pageWidth() const override { return width; }
    void setCurrentX(double twips) override { log << "x " + QString::number(twips); }
    void setBold(bool bold) override { log << (bold ? "bold" : "plain"); }
    void print(const QString& text) override
    {
        log << "print " + text;
        m_failed = m_failed || --failAfter == 0;
    }
    void newLine() override { log << "line"; }
    void endDoc() override { log << "end"; }
    void abort() override { log << "abort"; }
    bool failed() const override { return m_failed; }

private:
    bool m_failed = false;
};

QString dateOf(int record)
{
    return QStringLiteral("1/%1/2020 3:04:05 AM").arg(record + 1);
}

QString fileName(int record)
{
    return QStringLiteral("file%1.txt").arg(record + 1, 3, 10, QLatin1Char('0'));
}

// A folder of `count` files, file001.txt with 1 byte and so on, listed in the
// model with `extra` names that are not on disk; the model's size texts are
// wrong on purpose: sizes come from disk.
bool makeListing(TempFolder& dir, FileListModel& model, int count, const QStringList& extra = {})
{
    QStringList rows;
    for (int i = 0; i < count; ++i) {
        if (!dir.write(fileName(i), QByteArray(i + 1, 'x')))
            return false;
        rows << dateOf(i) + "|d2|" + fileName(i) + "||999";
    }
    for (const QString& name : extra)
        rows << dateOf(int(rows.size())) + "|d2|" + name + "||1";
    if (rows.isEmpty())
        rows << QString();
    model.setRows(ListRows::fromTexts(rows));
    return true;
}

// The logged calls for the heading, then for the given rows, with the
// columns at c2, c3 and c4.
QStringList expectedLog(double c2, double c3, double c4, const QList<int>& records)
{
    QString log = QStringLiteral("x 0|bold|print Directory /data/photos|line|line|x 0|"
                                 "print No.|x %1|print Date/Time|x %2|print Byte Size|"
                                 "x %3|print Filename|line|line|plain")
                      .arg(c2)
                      .arg(c3)
                      .arg(c4);
    for (int r : records)
        log += QStringLiteral("|x 0|print  %4 |x %1|print %5|x %2|print  %4 |x %3|print %6|line")
                   .arg(c2)
                   .arg(c3)
                   .arg(c4)
                   .arg(r + 1)
                   .arg(dateOf(r), fileName(r));
    return (log + "|end").split(u'|');
}

QString pdfToText(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), args);
    p.waitForFinished(20000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

class TestListingPrint : public QObject
{
    Q_OBJECT
private slots:
    // The calls the listing makes: columns from the page width, the bold
    // headings once, the rows in the shown order with their scan numbers.
    void layout_data()
    {
        QTest::addColumn<double>("width");
        QTest::addColumn<int>("count");
        QTest::addColumn<QList<int>>("order");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("sorted") << 10000.0 << 3 << QList<int>{2, 0, 1}
                                << expectedLog(700, 2700, 4100, {2, 0, 1});
        QTest::newRow("letter width")
            << 12240.0 << 1 << QList<int>() << expectedLog(856.8, 3304.8, 4704.8, {0});
        QTest::newRow("empty list")
            << 10000.0 << 0 << QList<int>() << expectedLog(700, 2700, 4100, {});
    }

    void layout()
    {
        QFETCH(double, width);
        QFETCH(int, count);
        QFETCH(QList<int>, order);
        TempFolder dir;
        FileListModel model;
        QVERIFY(makeListing(dir, model, count));
        for (int i = 0; i < order.size(); ++i)
            model.displayOrder()[size_t(i)] = order[i];
        RecordingPrinter printer;
        printer.width = width;
        PromptRecorder prompts;
        PosixFileSystem fs;
        QVERIFY(ListingPrint::print({model, count - 1, dir.path(), Dr}, &printer, prompts, fs));
        QTEST(printer.log, "expected");
        QCOMPARE(prompts.messages, QStringList());
    }

    // Every failure gives the one printer message and gives up the document.
    void failures_data()
    {
        QTest::addColumn<QString>("cause");
        QTest::newRow("no printer") << "none";
        QTest::newRow("file gone") << "gone";
        QTest::newRow("printer fails") << "fails";
    }

    void failures()
    {
        QFETCH(QString, cause);
        TempFolder dir;
        FileListModel model;
        QVERIFY(makeListing(dir, model, 2, {QStringLiteral("gone.txt")}));
        RecordingPrinter printer;
        if (cause == QLatin1String("fails"))
            printer.failAfter = 8;
        PromptRecorder prompts;
        PosixFileSystem fs;
        const int fileLast = cause == QLatin1String("gone") ? 2 : 1;
        QVERIFY(!ListingPrint::print({model, fileLast, dir.path(), Dr},
                                     cause == QLatin1String("none") ? nullptr : &printer, prompts,
                                     fs));
        QCOMPARE(prompts.messages, QStringList{PrinterError});
        if (cause != QLatin1String("none")) {
            QCOMPARE(printer.log.last(), QStringLiteral("abort"));
            QVERIFY(!printer.log.contains(QStringLiteral("end")));
        }
    }

    // A real print job into a PDF file, read back as text: heading once,
    // rows in the shown order over more than one page, columns where the page
    // width puts them.
    void printsToPdf()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (Debian package poppler-utils) is not installed");
        TempFolder dir;
        FileListModel model;
        const int count = 120;
        QVERIFY(makeListing(dir, model, count));
        std::reverse(model.displayOrder().begin(), model.displayOrder().end());
        const QString pdf = dir.file(QStringLiteral("listing.pdf"));
        QPrinter qprinter(QPrinter::HighResolution);
        qprinter.setOutputFormat(QPrinter::PdfFormat);
        qprinter.setOutputFileName(pdf);
        qprinter.setPageSize(QPageSize(QPageSize::A4));
        PromptRecorder prompts;
        PosixFileSystem fs;
        double width = 0;
        {
            QtListingPrinter printer(qprinter);
            width = printer.pageWidth();
            QVERIFY(ListingPrint::print({model, count - 1, dir.path(), Dr}, &printer, prompts, fs));
        }
        QCOMPARE(prompts.messages, QStringList());
        // The printable width of A4 at Qt's default margins, in twips.
        QVERIFY(qAbs(width - qprinter.pageLayout().paintRect(QPageLayout::Point).width() * 20) <
                20);

        const QString text = pdfToText({"-layout", pdf, "-"});
        const QStringList pages = text.split(u'\f', Qt::SkipEmptyParts);
        QVERIFY2(pages.size() >= 2, qPrintable(text.left(400)));
        QCOMPARE(pages[0].trimmed().split(u'\n').first().trimmed(), "Directory " + Dr);
        QCOMPARE(text.count(QStringLiteral("Date/Time")), 1);
        QCOMPARE(text.count(QStringLiteral("Filename")), 1);
        QVERIFY(pages.last().contains(QStringLiteral("file001.txt")));
        const QRegularExpression row(
            QStringLiteral(R"(^\s*(\d+)\s+(\d+/\d+/2020 3:04:05 AM)\s+(\d+)\s+(file\d+\.txt)\s*$)"),
            QRegularExpression::MultilineOption);
        QStringList seen, expected;
        for (auto m = row.globalMatch(text); m.hasNext();)
            seen << m.next().capturedTexts().mid(1).join(u'|');
        for (int r = count - 1; r >= 0; --r)
            expected << QStringLiteral("%1|%2|%1|%3").arg(r + 1).arg(dateOf(r), fileName(r));
        QCOMPARE(seen, expected);

        // Column starts: the words' left edges, in points from "No.".
        const QString boxes = pdfToText({"-bbox", "-l", "1", pdf, "-"});
        auto left = [&boxes](const QString& word) {
            const auto m = QRegularExpression(R"re(<word xMin="([\d.]+)"[^>]*>)re" +
                                              QRegularExpression::escape(word) + "</word>")
                               .match(boxes);
            return m.hasMatch() ? m.captured(1).toDouble() : -1000.0;
        };
        const double origin = left(QStringLiteral("No.")), points = width / 20;
        QVERIFY(qAbs(left(QStringLiteral("Date/Time")) - origin - points * 0.07) < 2);
        QVERIFY(qAbs(left(QStringLiteral("Byte")) - origin - points * 0.27) < 2);
        QVERIFY(qAbs(left(QStringLiteral("Filename")) - origin - (points * 0.27 + 70)) < 2);
    }
};

QTEST_MAIN(TestListingPrint)
#include "TestListingPrint.moc"
