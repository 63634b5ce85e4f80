// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "filelist/DateKeyReader.h"
#include "filelist/FileListModel.h"
#include "filelist/ListSorter.h"
#include "filelist/NumberKeyReader.h"
#include "filelist/SortKeys.h"
#include "platform/DateText.h"
#include "platform/SplitWork.h"

#include "ListRows.h"

#include <QtTest>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <random>

#include <ctime>

using Clicks = QList<int>;

namespace
{

// Rows whose field `column` (1..6) holds the given texts; the name column
// gets distinct names unless it is the one given.
QStringList rowsWith(int column, const QStringList& texts)
{
    QStringList rows;
    for (qsizetype i = 0; i < texts.size(); ++i) {
        QStringList fields{QString(), QString(), QStringLiteral("f%1").arg(i),
                           QString(), QString(), QString()};
        fields[column - 1] = texts[i];
        rows << fields.join(QLatin1Char('|'));
    }
    return rows;
}

// The texts of a column (0: the record numbers) in the order shown.
QStringList shown(const FileListModel& model, int column)
{
    QStringList out;
    for (int k = 0; k <= model.lastIndex(); ++k) {
        const int record = model.recordAt(k);
        out << (column == 0 ? QString::number(model.recordNumber(record))
                            : SortKeys::columnText(model, column, record));
    }
    return out;
}

// The column kinds the main window gives its list.
void configure(ListSorter& sorter)
{
    for (auto [column, kind] : {std::pair{1, ListSorter::DateTime},
                                {2, ListSorter::DateTime},
                                {3, ListSorter::Text},
                                {4, ListSorter::Text},
                                {5, ListSorter::MixedNumber}})
        sorter.setColumnKind(column, kind);
}

} // namespace

class TestListSorter : public QObject
{
    Q_OBJECT
private slots:
    void init() { DateText::setLocale(QLocale(QStringLiteral("en_US"))); }

    void clicks_data()
    {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<Clicks>("clicks");
        QTest::addColumn<int>("column");
        QTest::addColumn<QStringList>("expected");

        const QStringList one = rowsWith(3, {"a"});
        for (int c = 0; c < 7; ++c)
            QTest::addRow("one record, column %d", c)
                << one << Clicks{c, c} << 0 << QStringList{"1"};

        const QStringList bAc = rowsWith(3, {"b", "A", "c"});
        QTest::newRow("names") << bAc << Clicks{3} << 3 << QStringList{"A", "b", "c"};
        QTest::newRow("names twice") << bAc << Clicks{3, 3} << 3 << QStringList{"c", "b", "A"};
        QTest::newRow("names, case and accents by the locale")
            << rowsWith(3, {"f", "z", "\u00e9", "E", ""}) << Clicks{3} << 3
            << QStringList{"", "E", "\u00e9", "f", "z"};

        QStringList news = rowsWith(4, {"c", "a", "d", "b"});
        QTest::newRow("new names after names")
            << news << Clicks{3, 4} << 4 << QStringList{"a", "b", "c", "d"};
        QTest::newRow("new names again")
            << news << Clicks{3, 4, 4} << 4 << QStringList{"d", "c", "b", "a"};

        QTest::newRow("number column from scan order")
            << bAc << Clicks{0} << 0 << QStringList{"3", "2", "1"};
        QTest::newRow("number column twice")
            << bAc << Clicks{0, 0} << 0 << QStringList{"1", "2", "3"};
        QTest::newRow("number after a sort that keeps record 0 first")
            << rowsWith(3, {"a", "c", "b"}) << Clicks{3, 0} << 0 << QStringList{"3", "2", "1"};
        QTest::newRow("number after a sort that moves record 0")
            << bAc << Clicks{3, 0} << 0 << QStringList{"1", "2", "3"};

        const QStringList sizes = rowsWith(5, {"10", "9", "1,000", "999"});
        QTest::newRow("sizes by value")
            << sizes << Clicks{5} << 5 << QStringList{"9", "10", "999", "1,000"};
        QTest::newRow("sizes reversed")
            << sizes << Clicks{5, 5} << 5 << QStringList{"1,000", "999", "10", "9"};
        QTest::newRow("sizes that are not numbers follow the numbers")
            << rowsWith(5, {"x", "5", "", "3"}) << Clicks{5} << 5 << QStringList{"3", "5", "", "x"};

        const QStringList dates{"1/10/2020", "12/31/2019 11:00:00 PM", "1/2/2020",
                                "1/1/2020 1:00:00 PM", "1/1/2020 11:00:00 AM"};
        const QStringList byDate{"12/31/2019 11:00:00 PM", "1/1/2020 11:00:00 AM",
                                 "1/1/2020 1:00:00 PM", "1/2/2020", "1/10/2020"};
        QTest::newRow("creation dates by time") << rowsWith(1, dates) << Clicks{1} << 1 << byDate;
        QTest::newRow("modified dates by time") << rowsWith(2, dates) << Clicks{2} << 2 << byDate;
        QTest::newRow("a text that is no date comes first")
            << rowsWith(1, {"1/2/2020", "no date", "1/1/2020"}) << Clicks{1} << 1
            << QStringList{"no date", "1/1/2020", "1/2/2020"};

        const QStringList spare = rowsWith(6, {"b", "a", "c"});
        QTest::newRow("unsortable column keeps the scan order")
            << spare << Clicks{3, 6} << 6 << QStringList{"b", "a", "c"};
        QTest::newRow("unsortable column clicked again reverses")
            << spare << Clicks{6, 6} << 6 << QStringList{"c", "a", "b"};
    }

    void clicks()
    {
        QFETCH(QStringList, rows);
        QFETCH(Clicks, clicks);
        QFETCH(int, column);
        QFETCH(QStringList, expected);
        FileListModel model;
        model.setRows(ListRows::fromTexts(rows));
        ListSorter sorter;
        configure(sorter);
        for (int c : clicks)
            sorter.sortByHeader(model, c);
        QCOMPARE(shown(model, column), expected);
    }

    // The keys of the name column, built on every core, sort as those built
    // on one thread, in the collator's order.
    void namesOnEveryCore()
    {
        std::mt19937 rng(7);
        const QString letters = QStringLiteral("aAbBzZ_ 09.\u00e9\u00c9\u4e2d");
        QStringList names;
        for (int i = 0; i < 20000; ++i) {
            QString name;
            for (int k = 0; k < 6; ++k)
                name += letters[qsizetype(rng() % letters.size())];
            names << name + QString::number(i);
        }
        QStringList sorted[2];
        FileListModel models[2]; // the texts shown refer to them
        for (const unsigned parts : {1u, 4u}) {
            SplitWork::setMaxParts(parts);
            FileListModel& model = models[parts > 1];
            QStringList rows = rowsWith(3, names);
            model.setRows(ListRows::fromTexts(rows));
            ListSorter sorter;
            configure(sorter);
            sorter.sortByHeader(model, 3);
            sorted[parts > 1] = shown(model, 3);
        }
        SplitWork::setMaxParts(0);
        QCOMPARE(sorted[1], sorted[0]);
        QCollator collator(DateText::locale());
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        for (qsizetype k = 1; k < sorted[1].size(); ++k)
            QVERIFY(collator.compare(sorted[1][k - 1], sorted[1][k]) <= 0);
    }

    void routine_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("distinct"); // 0: ascending input, -1: descending
        for (int size : {0, 1, 2, 10, 11, 12, 100, 5000})
            QTest::addRow("%d random", size) << size << 1000000;
        QTest::newRow("many equal") << 5000 << 3;
        QTest::newRow("all equal") << 5000 << 1;
        QTest::newRow("ascending") << 100000 << 0;
        QTest::newRow("descending") << 100000 << -1;
        QTest::newRow("large random") << 200000 << 1000;
    }

    // The sort routine orders any array and moves the display order with it;
    // the stack stays logarithmic whatever the input.
    void routine()
    {
        QFETCH(int, size);
        QFETCH(int, distinct);
        std::mt19937 rng(size * 31 + distinct);
        std::vector<qint64> keys(static_cast<size_t>(size));
        for (int k = 0; k < size; ++k)
            keys[size_t(k)] = distinct > 0    ? qint64(rng() % unsigned(distinct))
                              : distinct == 0 ? k
                                              : size - k;
        const std::vector<qint64> original = keys;
        std::vector<qint32> order(keys.size());
        std::iota(order.begin(), order.end(), 0);
        const ListSorter::Stats stats = ListSorter::sortNumbers(keys, order);

        QVERIFY(std::is_sorted(keys.begin(), keys.end()));
        for (size_t k = 0; k < keys.size(); ++k)
            QCOMPARE(original[size_t(order[k])], keys[k]);
        std::vector<qint32> sortedOrder = order;
        std::sort(sortedOrder.begin(), sortedOrder.end());
        for (size_t k = 0; k < sortedOrder.size(); ++k)
            QCOMPARE(sortedOrder[k], qint32(k));
        const int bound = size > 1 ? 2 * int(std::ceil(std::log2(size))) + 2 : 0;
        QVERIFY2(stats.deepestStack <= bound, qPrintable(QString::number(stats.deepestStack)));
    }

    void numberKeys_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("isNumber");
        QTest::addColumn<qint64>("key");
        QTest::newRow("grouped") << "1,234,567" << true << Q_INT64_C(12345670000);
        QTest::newRow("plain") << "999" << true << Q_INT64_C(9990000);
        QTest::newRow("negative") << "-1,000" << true << Q_INT64_C(-10000000);
        QTest::newRow("decimals") << "1,000.5" << true << Q_INT64_C(10005000);
        QTest::newRow("half rounds to even") << "1.00005" << true << Q_INT64_C(10000);
        QTest::newRow("misplaced group") << "1,00" << false << Q_INT64_C(0);
        QTest::newRow("word") << "abc" << false << Q_INT64_C(0);
        QTest::newRow("past the key range") << "99999999999999999999" << false << Q_INT64_C(0);
    }

    void numberKeys()
    {
        QFETCH(QString, text);
        QFETCH(bool, isNumber);
        QFETCH(qint64, key);
        const std::optional<qint64> read = NumberKeyReader().read(text);
        QCOMPARE(read.has_value(), isNumber);
        if (isNumber)
            QCOMPARE(*read, key);
    }

    // The date sort reads a listed file's key from its number; the key must
    // be the one its shown text reads back to, in every zone and across the
    // clock changes.
    void dateKeyFromTheNumberIsTheTextsKey_data()
    {
        QTest::addColumn<QByteArray>("zone");
        for (const char* zone : {"UTC", "Europe/Berlin", "America/New_York", "Asia/Kolkata"})
            QTest::newRow(zone) << QByteArray(zone);
    }
    void dateKeyFromTheNumberIsTheTextsKey()
    {
        QFETCH(QByteArray, zone);
        const QByteArray before = qgetenv("TZ");
        qputenv("TZ", zone);
        ::tzset();
        FileListModel::Rows rows;
        const qint64 seconds[] = {0,          -1,         -2208988800, 1711846799, 1711846800,
                                  1711850400, 1729990799, 1729994401,  4102444799, 1600000005};
        for (const qint64 s : seconds)
            rows.appendFile(QString::number(s), s, s + 43200, 0, true);
        FileListModel model;
        model.setRows(std::move(rows));
        for (int r = 0; r < model.recordCount(); ++r)
            for (int column : {1, 2})
                QCOMPARE(SortKeys::dateKeyOf(model, column, r),
                         DateKeyReader().read(SortKeys::columnText(model, column, r)));
        before.isNull() ? qunsetenv("TZ") : qputenv("TZ", before);
        ::tzset();
    }

    void dateKeysRound()
    {
        // Keys are ten-thousandths of a day (8.64 seconds): 12:00:04 rounds to
        // noon, 12:00:05 to the next step.
        const DateKeyReader reader;
        const auto noon = reader.read(u"1/1/2020 12:00:00 PM");
        QVERIFY(noon.has_value());
        QCOMPARE(reader.read(u"1/1/2020 12:00:04 PM"), noon);
        QCOMPARE(reader.read(u"1/1/2020 12:00:05 PM"), std::optional<qint64>(*noon + 1));
        QCOMPARE(reader.read(u"1/1/2020 12:00:00 AM"), reader.read(u"1/1/2020"));
        // The day count starts at 30 December 1899.
        QCOMPARE(reader.read(u"12/31/1899 6:00:00 AM"), std::optional<qint64>(12500));
        QCOMPARE(reader.read(u"not a date"), std::nullopt);
    }
};

QTEST_GUILESS_MAIN(TestListSorter)
#include "TestListSorter.moc"
