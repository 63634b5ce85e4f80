// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "filelist/TypeFilter.h"
#include "platform/FileNameCodec.h"

#include <QTest>

class TestTypeFilter : public QObject
{
    Q_OBJECT
private slots:
    void passes_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("kept");
        const QString stray = FileNameCodec::decode(QByteArray("caf\xe9.JPG"));
        const struct {
            const char* box;
            QString name;
            bool kept;
        } rows[] = {
            {"*.*", "noext", true},
            {"*.*", ".bashrc", true},
            {"", "anything", true},
            {" ; ", "anything", true},
            {"*.JPG", "photo.jpg", true},
            {"*.jpg", "photo.JPG", true},
            {"*.jpg", "h.JPG.bak", false},
            {"*.jpg", "x.jpgfoo", false},
            {"*.jpg", "zjpg", false},
            {"*.jpg", "jpg.jpg", true},
            {"*.jpg", stray, true},
            {"caf?.jpg", stray, true},
            {"*.jpg;*.jpeg", "a.JPEG", true},
            {" *.png ;a*", "a.txt", true},
            {"a*", "ba", false},
            {"?.png", "ab.png", false},
            {"?.png", "\u00e9.png", true},
            {"?.png", "\U0001F600.png", true},
            {"*.jp*", "y.jpg.txt", true},
            {"*a*b*c", "xaxbxbxc", true},
            {"*a*b*c", "xaxbxbx", false},
            {"[ab]*", "B.txt", true},
            {"[!a-x]*", "b.txt", false},
            {"[^a-x]*", "y.txt", true},
            {"[]x]*", "]", true},
            {"[a-", "[a-", true},
            {"[*]", "*", true},
            {"[*]", "a", false},
            {"*", ".hidden", true},
        };
        for (const auto& r : rows)
            QTest::newRow(qPrintable(QStringLiteral("%1 / %2").arg(r.box, r.name)))
                << QString::fromUtf8(r.box) << r.name << r.kept;
    }

    // The type box and --filter: shell patterns over the whole name, letter
    // case ignored, several separated by ";".
    void passes()
    {
        QFETCH(QString, box);
        QFETCH(QString, name);
        QTEST(TypeFilter(box).passes(name), "kept");
    }
};

QTEST_GUILESS_MAIN(TestTypeFilter)
#include "TestTypeFilter.moc"
