// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ScreenCheck.h"
#include "app/StartFolder.h"
#include "platform/FileErrors.h"
#include "platform/PosixFileSystem.h"

#include "PromptRecorder.h"
#include "TempFolder.h"

#include <QDir>
#include <QTest>

// What the window checks as it starts: the screen size, and its folder
// argument (the folder that becomes current, or the error that leaves the
// current one alone).
class TestStartFolder : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(QDir().mkpath(m_dir.file(QStringLiteral("sub"))));
        QVERIFY(m_dir.write(QStringLiteral("sub/photo.jpg")));
    }

    void enter_data()
    {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<int>("error");
        QTest::addColumn<QString>("current"); // relative to the temp folder
        QTest::newRow("a folder") << "sub" << 0 << "sub";
        QTest::newRow("a file: its folder") << "sub/photo.jpg" << 0 << "sub";
        QTest::newRow("a full path") << "@/sub" << 0 << "sub";
        QTest::newRow("missing: stays") << "nothing/here" << int(FileErrors::FileNotFound) << "";
    }

    void enter()
    {
        QFETCH(QString, argument);
        QFETCH(QString, current);
        PosixFileSystem posix;
        FileSystem& fs = posix;
        const QString start = fs.currentFolder();
        QCOMPARE(fs.setCurrentFolder(m_dir.path()), 0);
        argument.replace(u'@', m_dir.path().chopped(1));
        const int rc = StartFolder::enter(fs, argument);
        const QString now = fs.currentFolder();
        QCOMPARE(fs.setCurrentFolder(start), 0);
        QTEST(rc, "error");
        QCOMPARE(QDir::cleanPath(now), QDir::cleanPath(m_dir.path() + current));
    }

    void screenSize_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<bool>("starts");
        QTest::newRow("1024x768") << 1024 << 768 << true;
        QTest::newRow("1920x1080") << 1920 << 1080 << true;
        QTest::newRow("1023 wide") << 1023 << 768 << false;
        QTest::newRow("767 high") << 1024 << 767 << false;
    }

    void screenSize()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(bool, starts);
        PromptRecorder prompts;
        QCOMPARE(ScreenCheck::passes(width, height, prompts), starts);
        const QStringList expected =
            starts ? QStringList{}
                   : QStringList{QStringLiteral("Screen size must be 1024x768 or Greater..")};
        QCOMPARE(prompts.messages, expected);
    }

private:
    TempFolder m_dir;
};

QTEST_GUILESS_MAIN(TestStartFolder)
#include "TestStartFolder.moc"
