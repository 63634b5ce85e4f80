#include "app/NewNameClipboard.h"
#include "app/Session.h"
#include "platform/PosixFileSystem.h"

#include "MemoryClipboard.h"
#include "PromptRecorder.h"

#include <QTest>

class TestNewNameClipboard : public QObject
{
    Q_OBJECT
private slots:
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
        session.model().setRows(rows);
        session.setLastPosition(files - 1);
        MemoryClipboard clipboard;
        clipboard.content = text;
        NewNameClipboard::copyOrPaste(1, session, clipboard);
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
        session.model().setRows(rows);
        session.setLastPosition(2);
        std::swap(session.model().displayOrder()[0], session.model().displayOrder()[2]);
        MemoryClipboard clipboard;
        clipboard.content = QStringLiteral("stale");
        NewNameClipboard::copyOrPaste(0, session, clipboard);
        QCOMPARE(clipboard.log.count(QStringLiteral("clear")), 1);
        QCOMPARE(clipboard.content, QStringLiteral("C\r\nB\r\nA\r\n"));
        // Pasting what was copied changes nothing; edited lines go back by position.
        NewNameClipboard::copyOrPaste(1, session, clipboard);
        QCOMPARE(session.model().newNameOf(0), QStringLiteral("A"));
        clipboard.content = QStringLiteral("X\r\nY\r\nZ\r\n");
        NewNameClipboard::copyOrPaste(1, session, clipboard);
        QCOMPARE(session.model().newNameOf(2), QStringLiteral("X"));
        QCOMPARE(session.model().newNameOf(0), QStringLiteral("Z"));
        QVERIFY(prompts.messages.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestNewNameClipboard)
#include "TestNewNameClipboard.moc"
