// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/ListingCopy.h"

#include "ListRows.h"
#include "MemoryClipboard.h"
#include "PromptRecorder.h"

#include <QTest>

namespace
{

// The rows of the clipboard listing.
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
    // The listing on the clipboard.
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
        model.setRows(ListRows::fromTexts(rows));
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
};

QTEST_GUILESS_MAIN(TestListingCopy)
#include "TestListingCopy.moc"
