#include "app/OpenAction.h"
#include "platform/PosixFileSystem.h"
#include "platform/ShellOpen.h"

#include "TempFolder.h"

#include <QTest>

#include <sys/stat.h>

// A double click on a listed file: preview, open through the desktop, or
// nothing at all for a program.
class TestOpenAction : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void doubleClick_data();
    void doubleClick();

private:
    TempFolder m_folder;
    QString m_startFolder;
    PosixFileSystem m_fs;
};

namespace
{

class RecordingShell : public ShellOpen
{
public:
    void open(const QString& path) override { opened << path; }
    QStringList opened;
};

} // namespace

void TestOpenAction::initTestCase()
{
    QVERIFY(m_folder.isValid());
    m_startFolder = m_fs.currentFolder();
    QCOMPARE(m_fs.setCurrentFolder(m_folder.path()), 0);
}

void TestOpenAction::cleanupTestCase()
{
    QCOMPARE(m_fs.setCurrentFolder(m_startFolder), 0);
}

void TestOpenAction::doubleClick_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("executable");
    QTest::addColumn<QString>("expected"); // preview, open or nothing

    QTest::newRow("jpeg in capitals") << "Holiday.JPG" << false << "preview";
    QTest::newRow("text file named .bmp first") << "scan.bmp.txt" << false << "preview";
    QTest::newRow("run-length bitmap") << "logo.rle" << false << "preview";
    QTest::newRow("executable script named as a photo") << "photo.jpg.sh" << true << "preview";
    QTest::newRow("text") << "readme.txt" << false << "open";
    QTest::newRow("script without execute bit") << "build.sh" << false << "open";
    QTest::newRow("launcher only in the middle") << "old.desktop.txt" << false << "open";
    QTest::newRow(".exe inside the name") << "setup.exe.txt" << false << "nothing";
    QTest::newRow("windows program") << "SETUP.EXE" << false << "nothing";
    QTest::newRow("desktop launcher") << "Start.Desktop" << false << "nothing";
    QTest::newRow("executable script") << "build.sh" << true << "nothing";
}

void TestOpenAction::doubleClick()
{
    QFETCH(QString, name);
    QFETCH(bool, executable);
    QFETCH(QString, expected);

    QVERIFY(m_folder.write(name, "#!/bin/sh\ntouch ran\n"));
    QCOMPARE(::chmod(QFile::encodeName(m_folder.file(name)).constData(), executable ? 0755 : 0644),
             0);

    RecordingShell shell;
    QStringList previewed;
    const OpenAction::Action action = OpenAction::openListedFile(
        name, shell, [&](const QString& n) { previewed << n; }, m_fs);

    const QStringList none;
    if (expected == QLatin1String("preview")) {
        QCOMPARE(action, OpenAction::Action::Preview);
        QCOMPARE(previewed, QStringList{name});
        QCOMPARE(shell.opened, none);
    } else if (expected == QLatin1String("open")) {
        QCOMPARE(action, OpenAction::Action::Open);
        QCOMPARE(shell.opened, QStringList{m_folder.file(name)});
        QCOMPARE(previewed, none);
    } else {
        QCOMPARE(action, OpenAction::Action::Nothing);
        QCOMPARE(shell.opened, none);
        QCOMPARE(previewed, none);
    }
    QVERIFY(!m_folder.exists(QStringLiteral("ran")));
}

QTEST_GUILESS_MAIN(TestOpenAction)
#include "TestOpenAction.moc"
