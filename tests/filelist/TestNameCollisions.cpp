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
        QTest::addColumn<QString>("disk"); // "": Linux; F: folds case; W: Windows names
        // In pairs, "_" stands for a space and "^" for a tab.
        auto row = [](const char* name, const QString& pairs, const char* unlisted,
                      const char* marked, const char* disk = "") {
            QTest::newRow(name) << pairs << QString(unlisted) << QString(marked) << QString(disk);
        };
        row("distinct", "a>x b>y", "", "--");
        row("two files, one name", "a>x b>x c>x", "", "-XX");
        row("padding too short wraps", "a>H1 b>H2 c>H1", "", "--X");
        row("swap", "a>b b>a", "", "XX");
        row("shift onto a later file", "f1>f2 f2>f3", "", "X-");
        row("shift after the file moved", "f2>f3 f1>f2", "", "--");
        row("a file that stays", "a>a b>a", "", "-X");
        row("freed by a file that could not move", "a>x b>x c>b", "", "-XX");
        row("a name the list does not show", "a>.hidden b>c", ".hidden", "X-");
        row("empty proposal", "a> b>c", "", "X-");
        row("letter case only", "photo.JPG>photo.jpg", "", "-");
        row("names equal but for case", "a>x.txt b>X.TXT", "", "--");
        row("folded: names equal but for case", "a>x.txt b>X.TXT", "", "-X", "F");
        row("folded: letter case only", "photo.JPG>photo.jpg b>B", "", "--", "F");
        row("folded: onto a file that stays", "a>README readme>readme", "", "X-", "F");
        row("folded: an unlisted name", "a>Thumbs.DB", "thumbs.db", "X", "F");
        const QString nfc(QChar(0xe9)), nfd = QStringLiteral("e") + QChar(0x301);
        row("NFC twins", QStringLiteral("a>%1 b>%2").arg(nfc, nfd), "", "-X");
        row("NFC twin of a file that stays", QStringLiteral("%1>%1 b>%2").arg(nfc, nfd), "", "-X");
        row("Windows: device names, trailing dot or space",
            "a>aux b>Com7.txt c>x. d>x_ e>COM0 f>lpt9x g>x.y", "", "XXXX---", "W");
        row("Windows: a control character", "a>x^y b>xy", "", "X-", "W");
        row("Linux takes device names", "a>aux b>x.", "", "--");
        row("over 255 bytes",
            "a>" + QString(128, QChar(0xe9)) + " b>" + QString(127, QChar(0xe9)) + "x", "", "X-");
    }
    void marksWhatThePassCannotGive()
    {
        QFETCH(QString, pairs);
        QFETCH(QString, unlisted);
        QFETCH(QString, marked);
        QFETCH(QString, disk);
        QStringList rows;
        for (const QString& pair : pairs.split(QLatin1Char(' ')))
            rows << QStringLiteral("||%1|%2|1")
                        .arg(pair.section(QLatin1Char('>'), 0, 0),
                             QString(pair.section(QLatin1Char('>'), 1))
                                 .replace(QLatin1Char('_'), QLatin1Char(' '))
                                 .replace(QLatin1Char('^'), QLatin1Char('\t')));
        FileListModel model;
        model.setRows(ListRows::fromTexts(rows));
        QSet<QString> others;
        for (const QString& name : unlisted.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            others.insert(name);
        NameRules rules;
        rules.foldsCase = disk.contains(QLatin1Char('F'));
        rules.windowsNames = disk.contains(QLatin1Char('W'));
        const int count = NameCollisions::mark(model, int(rows.size()) - 1, others, rules);
        QString shown;
        for (int k = 0; k < rows.size(); ++k)
            shown += model.collides(model.recordAt(k)) ? QLatin1Char('X') : QLatin1Char('-');
        QCOMPARE(shown, marked);
        QCOMPARE(count, int(marked.count(QLatin1Char('X'))));
    }
};

QTEST_GUILESS_MAIN(TestNameCollisions)
#include "TestNameCollisions.moc"
