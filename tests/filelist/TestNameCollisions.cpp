// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "filelist/FileListModel.h"
#include "filelist/NameCollisions.h"

#include "ListRows.h"

#include <QTest>

// Each case lists "current>new" pairs in the order shown, the names the list
// does not show, and the positions whose proposal the pass could not give.
class TestNameCollisions : public QObject
{
    Q_OBJECT
private slots:
    void marksWhatThePassCannotGive_data()
    {
        QTest::addColumn<QString>("pairs");
        QTest::addColumn<QString>("unlisted");
        QTest::addColumn<QString>("marked");
        QTest::newRow("distinct") << "a>x b>y"
                                  << ""
                                  << "--";
        QTest::newRow("two files, one name") << "a>x b>x c>x"
                                             << ""
                                             << "-XX";
        QTest::newRow("padding too short wraps") << "a>H1 b>H2 c>H1"
                                                 << ""
                                                 << "--X";
        QTest::newRow("swap") << "a>b b>a"
                              << ""
                              << "XX";
        QTest::newRow("shift onto a later file") << "f1>f2 f2>f3"
                                                 << ""
                                                 << "X-";
        QTest::newRow("shift after the file moved") << "f2>f3 f1>f2"
                                                    << ""
                                                    << "--";
        QTest::newRow("a file that stays") << "a>a b>a"
                                           << ""
                                           << "-X";
        QTest::newRow("freed by a file that could not move") << "a>x b>x c>b"
                                                             << ""
                                                             << "-XX";
        QTest::newRow("a name the list does not show") << "a>.hidden b>c"
                                                       << ".hidden"
                                                       << "X-";
        QTest::newRow("empty proposal") << "a> b>c"
                                        << ""
                                        << "X-";
        QTest::newRow("letter case only") << "photo.JPG>photo.jpg"
                                          << ""
                                          << "-";
    }
    void marksWhatThePassCannotGive()
    {
        QFETCH(QString, pairs);
        QFETCH(QString, unlisted);
        QFETCH(QString, marked);
        QStringList rows;
        for (const QString& pair : pairs.split(QLatin1Char(' ')))
            rows << QStringLiteral("||%1|%2|1")
                        .arg(pair.section(QLatin1Char('>'), 0, 0),
                             pair.section(QLatin1Char('>'), 1));
        FileListModel model;
        model.setRows(ListRows::fromTexts(rows));
        QSet<QString> others;
        for (const QString& name : unlisted.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            others.insert(name);
        const int count = NameCollisions::mark(model, int(rows.size()) - 1, others);
        QString shown;
        for (int k = 0; k < rows.size(); ++k)
            shown += model.collides(model.recordAt(k)) ? QLatin1Char('X') : QLatin1Char('-');
        QCOMPARE(shown, marked);
        QCOMPARE(count, int(marked.count(QLatin1Char('X'))));
    }
};

QTEST_GUILESS_MAIN(TestNameCollisions)
#include "TestNameCollisions.moc"
