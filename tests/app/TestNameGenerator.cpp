// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/NameGenerator.h"
#include "app/NameTemplate.h"
#include "app/NewNameClipboard.h"
#include "app/NewNameReplace.h"
#include "app/Session.h"
#include "platform/PosixFileSystem.h"

#include "ListRows.h"
#include "MemoryClipboard.h"
#include "PromptRecorder.h"
#include "TempFolder.h"

#include <QRegularExpression>
#include <QTest>

#include <algorithm>

namespace
{

// A list of `count` files named `name` (only position `at` matters), each
// with the proposal "old".
void load(FileListModel& model, int count, const QString& name)
{
    FileListModel::Rows rows;
    rows.reserve(count, 8);
    for (int i = 0; i < count; ++i)
        rows.append({}, {}, name, u"old", {});
    model.setRows(std::move(rows));
}

} // namespace

class TestNameGenerator : public QObject
{
    Q_OBJECT
private slots:
    void modes_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("zeros");
        QTest::addColumn<QString>("ext");
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("with");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("expected");
        const QString keep = QStringLiteral(".???");
        auto row = [&](const char* tag, const QString& p, const QString& z, const QString& x,
                       const QString& name, int position, const QString& expected,
                       const QString& what = {}, const QString& with = {}) {
            QTest::newRow(tag) << p << z << x << what << with << name << position << expected;
        };
        row("number 9", "File#", "00", keep, "x", 8, "File09");
        row("number 99", "File#", "00", keep, "x", 98, "File99");
        row("number 100 cut", "File#", "00", keep, "x", 99, "File00");
        row("no padding", "File#", "", keep, "x", 5, "File");
        row("every #", "#-#", "0", keep, "a.b", 2, "3-3.b");
        row("keeps ext", "New_Filename_#", "000", keep, "photo.JPG", 0, "New_Filename_001.JPG");
        row("no dot", "New_Filename_#", "000", keep, "README", 1, "New_Filename_002");
        row("ext without dot", "File#", "00", "png", "a.txt", 0, "File01png");
        row("same", "", "00", keep, "IMG_1.jpg", 0, "IMG_1.jpg", "IMG", "x");
        row("numbered replace", "File#", "00", keep, "a", 0, "Pic01", "File", "Pic");
        row("front back", "Front + Back", "0", keep, "photo.jpg", 0, "Front photo Back.jpg");
        row("front back other ext", "Front + Back", "0", ".jpg", "photo.JPG", 0,
            "Front photo.JPG Back.jpg");
        row("front back every ext", "+", "0", keep, "a.txt.txt", 0, "a.txt");
        row("front back # in name", "+_#", "00", keep, "a#b.txt", 4, "a05b_05.txt");
        row("upper", "UpperCase", "0", keep, "photo.jpg", 0, "PHOTO.JPG");
        row("upper chosen ext", "UpperCase", "0", ".png", "photo.jpg", 0, "PHOTO.png");
        row("upper long ext", "UpperCase", "0", ".png", "photo.jpeg", 0, "PHOTO.png");
        row("lower no ext chosen", "LowerCase", "0", ".txt", "README", 0, "readme.txt");
        row("dot-file numbered", "File#", "00", keep, ".hidden", 0, "File01");
        row("dot-file's own ext", "File#", "00", keep, ".config.json", 0, "File01.json");
        row("dot-file front back", "Front + Back", "0", keep, ".bashrc", 0, "Front .bashrc Back");
        row("dot-file upper chosen ext", "UpperCase", "0", ".png", ".vim", 0, ".VIM.png");
        row("dot-file case", "Case", "0", keep, ".bashrc", 0, ".bashrc");
        row("upper sharp s", "UpperCase", "0", keep, QString::fromUtf8("straße.txt"), 0,
            "STRASSE.TXT");
        row("lower", "LowerCase", "0", ".jpeg", "Photo.TXT", 0, "photo.jpeg");
        row("lower dotted I", "LowerCase", "0", keep, QString::fromUtf8("İSTANBUL.TXT"), 0,
            QString::fromUtf8("i\u0307stanbul.txt"));
        row("case words", "Case", "0", keep, "my holiday photo.JPG", 0, "My Holiday Photo.jpg");
        row("case only blanks", "Case", "0", keep, "my_file-NAME.TXT", 0, "My_file-name.txt");
        row("case tab", "Case", "0", keep, "a\tb  c", 0, "A\tB  C");
        row("case digit first", "Case", "0", keep, "2ND file", 0, "2nd File");
        row("case non-ascii", "Case", "0", keep, QString::fromUtf8("élan ßIG ÉTÉ"), 0,
            QString::fromUtf8("Élan SSig Été"));
        row("case chosen ext", "Case", "0", ".Png", "a b.txt", 0, "A B.Png");
        row("replace only", "Replace Only", "0", keep, "IMG_001.jpg", 0, "Holiday_001.jpg", "IMG",
            "Holiday");
        row("replace counts case", "Replace Only", "0", keep, "img_002.jpg", 0, "img_002.jpg",
            "IMG", "Holiday");
        row("plus beats keyword", "Case+", "0", keep, "a.txt", 0, "Casea.txt");
    }

    void modes()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, zeros);
        QFETCH(QString, ext);
        QFETCH(QString, what);
        QFETCH(QString, with);
        QFETCH(QString, name);
        QFETCH(int, position);
        FileListModel model;
        load(model, position + 1, name);
        PromptRecorder prompts;
        QVERIFY(NameGenerator::run(model, position, {pattern, zeros, ext, what, with}, prompts));
        QTEST(model.newNameAt(position), "expected");
        QVERIFY(prompts.messages.isEmpty());
    }

    void refusedPatternWritesNothing_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<int>("fileLast");
        QTest::addColumn<bool>("message");
        QTest::newRow("ABC") << "ABC" << 2 << true;
        QTest::newRow("keyword in lower case") << "case" << 0 << true;
        QTest::newRow("empty list") << "ABC" << -1 << false;
    }

    void refusedPatternWritesNothing()
    {
        QFETCH(QString, pattern);
        QFETCH(int, fileLast);
        QFETCH(bool, message);
        FileListModel model;
        load(model, 3, QStringLiteral("a.txt"));
        PromptRecorder prompts;
        QCOMPARE(NameGenerator::run(model, fileLast, {pattern, "0", ".???", {}, {}}, prompts),
                 !message);
        QCOMPARE(prompts.messages,
                 message ? QStringList{NameGenerator::sameNameMessage()} : QStringList());
        for (int k = 0; k < 3; ++k)
            QCOMPARE(model.newNameAt(k), QStringLiteral("old"));
    }

    void randomNames_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("ext");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("shape");
        auto row = [](const char* tag, const char* p, const char* x, const QString& name,
                      int position, const char* shape) {
            QTest::newRow(tag) << QString(p) << QString(x) << name << position << QString(shape);
        };
        row("lower 26", "Random Lowercase", ".???", "photo.jpg", 26, "[a-x]{6}1a\\.jpg");
        row("lower 0", "Random Lowercase", ".???", "Photo.JPG", 0, "[a-x]{7}0\\.jpg");
        row("upper chosen", "Random UPPERcase", ".png", "a.txt", 255, "[A-X]{6}FF\\.PNG");
        row("short name", "Random UPPERcase", ".???", "ab", 1, "[A-X]{7}1");
        row("four-letter ext", "Random Lowercase", ".???", "a.JPEG", 0, "[a-x]{7}0\\.jpeg");
        row("chosen long ext", "Random UPPERcase", ".jpeg", "a.txt", 0, "[A-X]{7}0\\.JPEG");
        row("last ext only", "Random Lowercase", ".???", "c.tar.gz", 2, "[a-x]{7}2\\.gz");
        row("dot-file", "Random Lowercase", ".???", ".hidden", 0, "[a-x]{7}0");
        row("sharp s", "Random UPPERcase", ".???", QString::fromUtf8("Maß.Straße"), 0,
            "[A-X]{7}0\\.STRASSE");
    }

    void randomNames()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, ext);
        QFETCH(QString, name);
        QFETCH(int, position);
        QFETCH(QString, shape);
        // Many draws, so a letter Y or Z (or a wrong width) would show up.
        const int count = qMax(position + 1, 3000);
        FileListModel model;
        load(model, count, name);
        PromptRecorder prompts;
        QVERIFY(NameGenerator::run(model, count - 1, {pattern, "0", ext, {}, {}}, prompts));
        const QRegularExpression re(QRegularExpression::anchoredPattern(shape));
        QVERIFY2(re.match(model.newNameAt(position)).hasMatch(),
                 qPrintable(model.newNameAt(position)));
        const QRegularExpression letters(pattern.endsWith(QLatin1String("Lowercase"))
                                             ? QStringLiteral("^[a-x0-9]{8}")
                                             : QStringLiteral("^[A-X0-9]{8}"));
        QSet<QString> distinct;
        for (int k = 0; k < count; ++k) {
            QVERIFY2(letters.match(model.newNameAt(k)).hasMatch(), qPrintable(model.newNameAt(k)));
            distinct.insert(model.newNameAt(k).left(8 - QString::number(k, 16).size()));
        }
        QVERIFY(distinct.size() > count / 2);
    }

    // The characters a file name cannot hold are discarded as typed.
    void keyFilter()
    {
        for (QChar c : QStringLiteral("|*\"/:<>?\\"))
            QVERIFY2(!NameGenerator::keyAccepted(c), qPrintable(QString(c)));
        for (QChar c : QString::fromUtf8("#+.a _é"))
            QVERIFY2(NameGenerator::keyAccepted(c), qPrintable(QString(c)));
    }

    void triggers()
    {
        PosixFileSystem fs;
        PromptRecorder prompts;
        Session session(fs, prompts);
        load(session.model(), 2, QStringLiteral("IMG.txt"));
        session.setLastPosition(1);
        session.setPadding(QStringLiteral("0"));
        session.setReplaceText(QStringLiteral("IMG"));
        session.setReplaceWith(QStringLiteral("x"));

        NameGenerator::patternItemChosen(session, QStringLiteral("Same"));
        QCOMPARE(session.pattern(), QString());
        QCOMPARE(session.model().newNameAt(1), QStringLiteral("IMG.txt"));

        session.setPattern(QStringLiteral("N#"));
        QVERIFY(NameGenerator::patternKeyTyped(session, QLatin1Char('a')));
        QCOMPARE(session.model().newNameAt(1), QStringLiteral("IMG.txt")); // typing alone: no run
        NameGenerator::patternKeyTyped(session, QChar(13));
        QCOMPARE(session.model().newNameAt(1), QStringLiteral("N2.txt"));

        // Text2 runs with its text from before the key, also for a refused key.
        session.setExtension(QStringLiteral(".jp"));
        QVERIFY(NameGenerator::extensionKeyTyped(session, QLatin1Char('g')));
        QCOMPARE(session.model().newNameAt(0), QStringLiteral("N1.jp"));
        session.setExtension(QStringLiteral(".gi"));
        QVERIFY(!NameGenerator::extensionKeyTyped(session, QLatin1Char('?')));
        QCOMPARE(session.model().newNameAt(0), QStringLiteral("N1.gi"));

        NameGenerator::paddingItemChosen(session, QStringLiteral("000"));
        QCOMPARE(session.model().newNameAt(1), QStringLiteral("N002.gi"));
        NameGenerator::extensionItemChosen(session, QStringLiteral(".???"));
        QCOMPARE(session.model().newNameAt(1), QStringLiteral("N002.txt"));
    }

    void numberWrapsAtAMillionAndOne()
    {
        FileListModel model;
        load(model, 1000001, QStringLiteral("f"));
        PromptRecorder prompts;
        QVERIFY(NameGenerator::run(model, 1000000, {"F#", "0", ".???", {}, {}}, prompts));
        QCOMPARE(model.newNameAt(8), QStringLiteral("F9"));
        QCOMPARE(model.newNameAt(999999), QStringLiteral("F0"));
        QCOMPARE(model.newNameAt(1000000), QStringLiteral("F1"));
    }

    void numbersFollowTheShownOrder()
    {
        FileListModel model;
        QStringList rows{"||a.txt", "||b.txt", "||c.txt"};
        model.setRows(ListRows::fromTexts(rows));
        std::swap(model.displayOrder()[0], model.displayOrder()[2]);
        PromptRecorder prompts;
        NameGenerator::run(model, 2, {"#", "0", ".???", {}, {}}, prompts);
        QCOMPARE(model.newNameOf(2), QStringLiteral("1.txt"));
        QCOMPARE(model.newNameOf(0), QStringLiteral("3.txt"));
    }

    // A file gone since the scan has no dates: it keeps its name and is
    // reported, rather than being named after the epoch.
    void templateDateOfAFileGone()
    {
        TempFolder dir;
        FileListModel model;
        load(model, 1, QStringLiteral("gone.txt"));
        QString why;
        const auto pattern = NameTemplate::create(QStringLiteral("{modified:yyyy}"), why);
        QVERIFY(pattern);
        PosixFileSystem fs;
        QStringList missing;
        pattern->applyTo(model, 0, fs, dir.path(), [&](const QString& name, const QString& tag) {
            missing << name + ": " + tag;
        });
        QCOMPARE(missing, QStringList{"gone.txt: modified date"});
        QCOMPARE(model.newNameAt(0), QStringLiteral("gone.txt"));
    }

    // The Replace button over the proposed names: letter case ignored, "#" the
    // record number.
    void replaceChange_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("with");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QString>("message");
        const QString l250(250, QLatin1Char('x'));
        const auto row = [](const char* name, const QStringList& names, const QString& what,
                            const QString& with, const QStringList& expected,
                            const QString& message = {}) {
            QTest::newRow(name) << names << what << with << expected << message;
        };
        row("letter case ignored", {"IMG_001.jpg", "img_002.jpg"}, "img", "Photo",
            {"Photo_001.jpg", "Photo_002.jpg"});
        row("record number", {"a", "b", "c", "d", "IMG"}, "IMG", "holiday#",
            {"a", "b", "c", "d", "holiday5"});
        row("empty what numbers #", {"a#", "b", "c#d#"}, "", "zz", {"a1", "b", "c3d3"});
        row("non-ascii", {QString::fromUtf8("ÉTÉ.txt")}, QString::fromUtf8("été"), "summer",
            {"summer.txt"});
        row("too long stops", {"ab", l250 + "ab", "ab"}, "ab", "abcde",
            {"abcde", l250 + "abcde", "ab"},
            "Stopping File - 1 " + l250 + "abcde name is too long...");
        row("254 is fine", {l250 + "ab"}, "ab", "abcd", {l250 + "abcd"});
        row("empty record", {""}, "x", "y", {""});
    }

    void replaceChange()
    {
        QFETCH(QStringList, names);
        QFETCH(QString, what);
        QFETCH(QString, with);
        QFETCH(QStringList, expected);
        QFETCH(QString, message);
        FileListModel model;
        QStringList rows;
        for (const QString& name : names)
            rows << QStringLiteral("||f|") + name;
        model.setRows(ListRows::fromTexts(rows));
        // Shown in reverse order: numbering and stopping follow the records.
        std::reverse(model.displayOrder().begin(), model.displayOrder().end());
        PromptRecorder prompts;
        QCOMPARE(NewNameReplace::replaceInNewNames(model, what, with, prompts), message.isEmpty());
        QCOMPARE(prompts.messages, message.isEmpty() ? QStringList() : QStringList{message});
        for (int r = 0; r < names.size(); ++r)
            QCOMPARE(model.newNameOf(r), expected[r]);
    }

    // The new names pasted from the clipboard and copied to it.
    void paste_data()
    {
        QTest::addColumn<int>("files");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("expected"); // empty: the message, nothing changed
        QTest::newRow("no final break") << 3 << "a\r\nb\r\nc" << QStringList{"a", "b", "c"};
        QTest::newRow("final break") << 3 << "a\r\nb\r\nc\r\n" << QStringList{"a", "b", "c"};
        QTest::newRow("extra lines") << 2 << "a\r\nb\r\nc\r\nd" << QStringList{"a", "b"};
        QTest::newRow("too few") << 3 << "a\r\nb" << QStringList();
        QTest::newRow("LF only") << 3 << "a\nb\nc\n" << QStringList();
        QTest::newRow("blank keeps") << 3 << "a\r\n\r\nc" << QStringList{"a", "old1", "c"};
        QTest::newRow("path characters") << 1 << "C:\\x/y.txt" << QStringList{"Cxy.txt"};
        QTest::newRow("empty text") << 2 << "" << QStringList();
        QTest::newRow("text on empty list") << 0 << "a" << QStringList();
    }

    void paste()
    {
        QFETCH(int, files);
        QFETCH(QString, text);
        QFETCH(QStringList, expected);
        PosixFileSystem fs;
        PromptRecorder prompts;
        Session session(fs, prompts);
        QStringList rows;
        for (int i = 0; i < qMax(files, 1); ++i)
            rows << QStringLiteral("||f%1|old%1").arg(i);
        session.model().setRows(ListRows::fromTexts(rows));
        session.setLastPosition(files - 1);
        MemoryClipboard clipboard;
        clipboard.content = text;
        NewNameClipboard::paste(session, clipboard);
        QCOMPARE(prompts.messages, expected.isEmpty()
                                       ? QStringList{NewNameClipboard::countMessage()}
                                       : QStringList());
        for (int k = 0; k < files; ++k)
            QCOMPARE(session.model().newNameAt(k),
                     expected.isEmpty() ? QStringLiteral("old%1").arg(k) : expected[k]);
    }

    void copyFollowsTheShownOrder()
    {
        PosixFileSystem fs;
        PromptRecorder prompts;
        Session session(fs, prompts);
        QStringList rows{"||a|A", "||b|B", "||c|C"};
        session.model().setRows(ListRows::fromTexts(rows));
        session.setLastPosition(2);
        std::swap(session.model().displayOrder()[0], session.model().displayOrder()[2]);
        MemoryClipboard clipboard;
        clipboard.content = QStringLiteral("stale");
        NewNameClipboard::copy(session, clipboard);
        QCOMPARE(clipboard.log.count(QStringLiteral("clear")), 1);
        QCOMPARE(clipboard.content, QStringLiteral("C\r\nB\r\nA\r\n"));
        // Pasting what was copied changes nothing; edited lines go back by position.
        NewNameClipboard::paste(session, clipboard);
        QCOMPARE(session.model().newNameOf(0), QStringLiteral("A"));
        clipboard.content = QStringLiteral("X\r\nY\r\nZ\r\n");
        NewNameClipboard::paste(session, clipboard);
        QCOMPARE(session.model().newNameOf(2), QStringLiteral("X"));
        QCOMPARE(session.model().newNameOf(0), QStringLiteral("Z"));
        QVERIFY(prompts.messages.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestNameGenerator)
#include "TestNameGenerator.moc"
