// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/OpenAction.h"
#include "platform/PosixFileSystem.h"
#include "platform/ShellOpen.h"

#include "TempFolder.h"

#include <QTest>

#include <sys/stat.h>

namespace
{

class RecordingShell : public ShellOpen
{
public:
    void open(const QString& path) override { opened << path; }
    QStringList opened;
};

} // namespace

// A double click on a listed file: preview, open through the desktop, or
// nothing at all for a program.
class TestOpenAction : public QObject
{
    Q_OBJECT

    TempFolder m_folder;
    QString m_startFolder;
    PosixFileSystem m_fs;

private slots:
    void initTestCase()
    {
        m_startFolder = m_fs.currentFolder();
        QCOMPARE(m_fs.setCurrentFolder(m_folder.path()), 0);
    }

    void cleanupTestCase() { QCOMPARE(m_fs.setCurrentFolder(m_startFolder), 0); }

    void doubleClick_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("executable");
        QTest::addColumn<OpenAction::Action>("expected");
        const auto preview = OpenAction::Action::Preview, open = OpenAction::Action::Open,
                   nothing = OpenAction::Action::Nothing;
        QTest::newRow("jpeg in capitals") << "Holiday.JPG" << false << preview;
        QTest::newRow("text file named .bmp first") << "scan.bmp.txt" << false << preview;
        QTest::newRow("run-length bitmap") << "logo.rle" << false << preview;
        QTest::newRow("executable script named as a photo") << "photo.jpg.sh" << true << preview;
        QTest::newRow("text") << "readme.txt" << false << open;
        QTest::newRow("script without execute bit") << "build.sh" << false << open;
        QTest::newRow("launcher only in the middle") << "old.desktop.txt" << false << open;
        QTest::newRow(".exe inside the name") << "setup.exe.txt" << false << nothing;
        QTest::newRow("windows program") << "SETUP.EXE" << false << nothing;
        QTest::newRow("desktop launcher") << "Start.Desktop" << false << nothing;
        QTest::newRow("executable script") << "build.sh" << true << nothing;
    }

    void doubleClick()
    {
        QFETCH(QString, name);
        QFETCH(bool, executable);
        QFETCH(OpenAction::Action, expected);
        QVERIFY(m_folder.write(name, "#!/bin/sh\ntouch ran\n"));
        QCOMPARE(
            ::chmod(QFile::encodeName(m_folder.file(name)).constData(), executable ? 0755 : 0644),
            0);
        RecordingShell shell;
        QStringList previewed;
        QCOMPARE(OpenAction::openListedFile(
                     name, shell, [&](const QString& n) { previewed << n; }, m_fs),
                 expected);
        const bool preview = expected == OpenAction::Action::Preview;
        QCOMPARE(previewed, preview ? QStringList{name} : QStringList());
        QCOMPARE(shell.opened, expected == OpenAction::Action::Open
                                   ? QStringList{m_folder.file(name)}
                                   : QStringList());
        QVERIFY(!m_folder.exists(QStringLiteral("ran")));
    }
};

QTEST_GUILESS_MAIN(TestOpenAction)
#include "TestOpenAction.moc"
