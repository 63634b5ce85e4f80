#include "output/DiskErrors.h"
#include "output/ListingCopy.h"
#include "platform/PosixFileSystem.h"

#include "MemoryClipboard.h"
#include "PromptRecorder.h"
#include "TempFolder.h"

#include <QTest>

namespace
{

const QStringList Rows = {
    QStringLiteral("1/2/2020 3:04:05 AM|d2|a.txt|new|1,024"),
    QStringLiteral("1/3/2020|d2|名前 b,c.txt||7"),
    QStringLiteral("12/31/2019 11:59:59 PM|d2|z|x|1,234,567"),
};

const QString Heading = QStringLiteral("No\tDate\tSize\tFilenames\r\n");

} // namespace

class TestListingCopy : public QObject
{
    Q_OBJECT
private slots:
    void copySource_data()
    {
        QTest::addColumn<QList<int>>("order");
        QTest::addColumn<int>("fileLast");
        QTest::addColumn<QString>("expected");
        const QString a = QStringLiteral("1\t1/2/2020 3:04:05 AM\t1,024\ta.txt\r\n");
        const QString b = QStringLiteral("2\t1/3/2020\t7\t名前 b,c.txt\r\n");
        const QString z = QStringLiteral("3\t12/31/2019 11:59:59 PM\t1,234,567\tz\r\n");
        QTest::newRow("scan order") << QList<int>() << 2 << Heading + a + b + z;
        QTest::newRow("sorted by size") << QList<int>{1, 0, 2} << 2 << Heading + b + a + z;
        QTest::newRow("empty list") << QList<int>() << -1 << Heading;
    }

    void copySource()
    {
        QFETCH(QList<int>, order);
        QFETCH(int, fileLast);
        QFETCH(QString, expected);
        FileListModel model;
        QStringList rows = fileLast < 0 ? QStringList{QString()} : Rows;
        model.setRows(rows);
        for (int i = 0; i < order.size(); ++i)
            model.displayOrder()[size_t(i)] = order[i];
        PromptRecorder prompts;
        QCOMPARE(ListingCopy::listingText(model, fileLast, prompts), expected);
        QCOMPARE(prompts.busyChanges, (QList<bool>{true, false}));

        MemoryClipboard clipboard;
        clipboard.setText(QStringLiteral("earlier"));
        clipboard.log.clear();
        ListingCopy::copyListing(model, fileLast, prompts, clipboard);
        QCOMPARE(clipboard.log, (QStringList{QStringLiteral("clear"), QStringLiteral("set")}));
        QCOMPARE(clipboard.text(), expected);
    }

    void diskErrorTexts_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("text");
        const auto row = [](int code, const char* text) {
            QTest::addRow("%d", code) << code << QString::fromLatin1(text);
        };
        row(7, "Out of Memmory");
        row(57, "Drive Failed, Cannot read or write");
        row(61, "The Current Drive is full, Cannot read or write file");
        row(68, "The device you are trying to access either is not online or doesn't exist");
        row(70, "Permission denied, An attempt was made to write to a write-protected disk or to "
                "access a locked file");
        row(71, "No disk in selected drive");
        row(75, "Cannot Read or Write file to the current protected Read-Only drive or directory");
        row(53, "File or drive may be dammaged 53");
        row(5, "File or drive may be dammaged 5");
    }

    // The message box shows the text, after every open file was closed and
    // the normal pointer restored.
    void diskErrorTexts()
    {
        QFETCH(int, code);
        QFETCH(QString, text);
        TempFolder dir;
        PosixFileSystem fs;
        int error = -1;
        const auto file = fs.openForWriting(dir.file(QStringLiteral("out.csv")), error);
        QVERIFY(file && file->isOpen());
        QVERIFY(file->write("first") == 5);

        PromptRecorder prompts;
        prompts.setBusy(true);
        DiskErrors::show(code, prompts, fs);
        QCOMPARE(prompts.messages, QStringList{text});
        QCOMPARE(prompts.busyChanges.last(), false);
        QVERIFY(!file->isOpen());

        // The next export opens its file again.
        const auto again = fs.openForWriting(dir.file(QStringLiteral("out.csv")), error);
        QVERIFY(again && again->write("second") == 6);
        again->close();
        QCOMPARE(dir.read(QStringLiteral("out.csv")), QByteArray("second"));
    }
};

QTEST_GUILESS_MAIN(TestListingCopy)
#include "TestListingCopy.moc"
