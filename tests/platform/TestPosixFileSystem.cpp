#include "platform/DosAttrib.h"
#include "platform/FileErrors.h"
#include "platform/FileNameCodec.h"
#include "platform/PosixFileSystem.h"

#include "ScratchMount.h"
#include "TempFolder.h"

#include <QTest>

#include <sys/stat.h>
#include <sys/xattr.h>

namespace
{

mode_t modeOf(const QString& path)
{
    struct stat st;
    ::stat(FileNameCodec::encode(path).constData(), &st);
    return st.st_mode;
}

QByteArray storedXattr(const QString& path)
{
    char buf[256];
    const ssize_t n =
        ::getxattr(FileNameCodec::encode(path).constData(), DosAttrib::Name, buf, sizeof buf);
    return n < 0 ? QByteArray() : QByteArray(buf, int(n));
}

QString nonUtf8Name()
{
    return FileNameCodec::decode(QByteArray("caf\xe9-\xff.txt"));
}

} // namespace

class TestPosixFileSystem : public QObject
{
    Q_OBJECT
private slots:
    void attributesRoundTrip_data()
    {
        QTest::addColumn<int>("value");
        for (int v : {0, 1, 2, 4, 5, 7, 32, 34})
            QTest::newRow(qPrintable(QString::number(v))) << v;
    }

    void attributesRoundTrip()
    {
        QFETCH(int, value);
        TempFolder dir;
        QVERIFY(dir.write(QStringLiteral("f.txt"), "x"));
        PosixFileSystem fs;
        const QString path = dir.file(QStringLiteral("f.txt"));
        QCOMPARE(fs.setAttributes(path, value), 0);
        int read = -1;
        QCOMPARE(fs.attributes(path, read), 0);
        QCOMPARE(read, value);
        // Read-only is the write permission; the stored attribute agrees.
        QCOMPARE((modeOf(path) & 0222) == 0, bool(value & FileSystem::ReadOnly));
        QCOMPARE(DosAttrib::decode(storedXattr(path)).attributes, quint32(value));
        // Clearing gives the owner back the right to write.
        QCOMPARE(fs.setAttributes(path, 0), 0);
        QVERIFY(modeOf(path) & S_IWUSR);
    }

    void creationTimeAndAttributesKeepEachOther()
    {
        TempFolder dir;
        QVERIFY(dir.write(QStringLiteral("f.txt")));
        PosixFileSystem fs;
        const QString path = dir.file(QStringLiteral("f.txt"));
        QCOMPARE(fs.setAttributes(path, FileSystem::Hidden | FileSystem::Archive), 0);
        QCOMPARE(fs.setCreationTime(path, {1577934245, 0}), 0);
        QCOMPARE(storedXattr(path),
                 QByteArray::fromHex("000005000500000011000000220000008000c44a19c1d501"));
        QCOMPARE(fs.setAttributes(path, FileSystem::System), 0);
        FileSystem::Time t;
        QCOMPARE(fs.creationTime(path, t), 0);
        QCOMPARE(t.seconds, qint64(1577934245));
        int attrs = 0;
        QCOMPARE(fs.attributes(path, attrs), 0);
        QCOMPARE(attrs, int(FileSystem::System));
    }

    void modifiedTimeIsWritten()
    {
        TempFolder dir;
        QVERIFY(dir.write(QStringLiteral("f.txt")));
        PosixFileSystem fs;
        const QString path = dir.file(QStringLiteral("f.txt"));
        QCOMPARE(fs.setModifiedTime(path, {1000000000, 0}), 0);
        FileSystem::Entry e;
        QCOMPARE(fs.stat(path, e), 0);
        QCOMPARE(e.modified.seconds, qint64(1000000000));
        QCOMPARE(fs.setModifiedTime(dir.file(QStringLiteral("gone")), {1, 0}), 53);
    }

    void withoutUserXattrs()
    {
        ScratchMount ram(ScratchMount::Ramfs);
        if (!ram.available())
            QSKIP(qPrintable(ram.skipReason()));
        PosixFileSystem fs;
        const QString path = ram.path() + QStringLiteral("f.txt");
        QCOMPARE(fs.createFile(path, "x"), 0);
        QCOMPARE(fs.setAttributes(path, FileSystem::Hidden), 75);
        QCOMPARE(fs.setAttributes(path, FileSystem::System), 75);
        QCOMPARE(fs.setCreationTime(path, {1577934245, 0}), 75);
        QCOMPARE(fs.setAttributes(path, FileSystem::ReadOnly), 0);
        QCOMPARE(fs.setAttributes(path, 0), 0);
        int attrs = -1;
        QCOMPARE(fs.attributes(path, attrs), 0);
        QCOMPARE(attrs, 0);
    }

    void findName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("attributes");
        QTest::addColumn<bool>("found");
        QTest::newRow("normal") << "a.txt" << 0 << true;
        QTest::newRow("read-only") << "a.txt" << 1 << true;
        QTest::newRow("archive") << "a.txt" << 32 << true;
        QTest::newRow("hidden") << "a.txt" << 2 << false;
        QTest::newRow("system") << "a.txt" << 4 << false;
        QTest::newRow("dot name") << ".a.txt" << 0 << false;
    }

    void findName()
    {
        QFETCH(QString, name);
        QFETCH(int, attributes);
        QFETCH(bool, found);
        TempFolder dir;
        QVERIFY(dir.write(name));
        PosixFileSystem fs;
        QCOMPARE(fs.setAttributes(dir.file(name), attributes), 0);
        QCOMPARE(fs.findName(dir.file(name)), found);
        QVERIFY(!fs.findName(dir.path()));
        QVERIFY(!fs.findName(dir.file(QStringLiteral("missing"))));
    }

    void renameNeverReplaces_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("targetAttributes");
        QTest::newRow("existing file") << "b.txt" << 0;
        QTest::newRow("hidden file") << "b.txt" << 2;
        QTest::newRow("dot file") << ".b" << 0;
        QTest::newRow("other case on a case-sensitive disk") << "A.TXT" << 0;
    }

    void renameNeverReplaces()
    {
        QFETCH(QString, target);
        QFETCH(int, targetAttributes);
        TempFolder dir;
        QVERIFY(dir.write(QStringLiteral("a.txt"), "source"));
        QVERIFY(dir.write(target, "target"));
        PosixFileSystem fs;
        QCOMPARE(fs.setAttributes(dir.file(target), targetAttributes), 0);
        QCOMPARE(fs.rename(dir.file(QStringLiteral("a.txt")), dir.file(target)), 58);
        QCOMPARE(dir.read(QStringLiteral("a.txt")), QByteArray("source"));
        QCOMPARE(dir.read(target), QByteArray("target"));
    }

    void renameOntoFolderFails()
    {
        TempFolder dir;
        QVERIFY(dir.write(QStringLiteral("a.txt"), "source"));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));
        PosixFileSystem fs;
        QCOMPARE(fs.rename(dir.file(QStringLiteral("a.txt")), dir.file(QStringLiteral("sub"))), 58);
        QVERIFY(dir.exists(QStringLiteral("a.txt")));
    }

    void renameChangesCaseOnly()
    {
        TempFolder dir;
        QVERIFY(dir.write(QStringLiteral("photo.JPG"), "x"));
        PosixFileSystem fs;
        QCOMPARE(
            fs.rename(dir.file(QStringLiteral("photo.JPG")), dir.file(QStringLiteral("photo.jpg"))),
            0);
        QCOMPARE(dir.names(), QStringList{QStringLiteral("photo.jpg")});
    }

    void oddNamesStayWhole_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("bar") << "a|b.txt";
        QTest::newRow("newline") << "line\nbreak.txt";
        QTest::newRow("star and backslash") << "st*r\\back.txt";
        QTest::newRow("not UTF-8") << nonUtf8Name();
        QTest::newRow("255 bytes") << QString(251, QLatin1Char('n')) + QStringLiteral(".txt");
        QTest::newRow("shell") << "$(touch PWNED); x";
    }

    void oddNamesStayWhole()
    {
        QFETCH(QString, name);
        TempFolder dir;
        QVERIFY(dir.write(name, "data"));
        PosixFileSystem fs;
        QStringList seen;
        QCOMPARE(fs.enumerate(dir.path(), true,
                              [&](const FileSystem::Entry& e) {
                                  if (!e.isFolder)
                                      seen << e.name;
                                  return true;
                              }),
                 0);
        QCOMPARE(seen, QStringList{name});
        QCOMPARE(fs.rename(dir.file(name), dir.file(QStringLiteral("plain"))), 0);
        QCOMPARE(fs.rename(dir.file(QStringLiteral("plain")), dir.file(name)), 0);
        QCOMPARE(dir.read(name), QByteArray("data"));
    }

    void nameTooLong()
    {
        TempFolder dir;
        QVERIFY(dir.write(QStringLiteral("a")));
        PosixFileSystem fs;
        QCOMPARE(fs.rename(dir.file(QStringLiteral("a")), dir.file(QString(256, QLatin1Char('x')))),
                 75);
        QVERIFY(dir.exists(QStringLiteral("a")));
    }

    void deleteFilesWithWildcards()
    {
        TempFolder dir;
        for (const char* n : {"a.txt", "b.txt", "c.doc"})
            QVERIFY(dir.write(QString::fromLatin1(n)));
        PosixFileSystem fs;
        QCOMPARE(fs.deleteFiles(dir.file(QStringLiteral("*.txt"))), 0);
        QCOMPARE(dir.names(), QStringList{QStringLiteral("c.doc")});
        QCOMPARE(fs.deleteFiles(dir.file(QStringLiteral("*.txt"))), 53);
        QCOMPARE(fs.deleteFiles(dir.file(QStringLiteral("c.doc"))), 0);
        QCOMPARE(fs.deleteFiles(dir.file(QStringLiteral("c.doc"))), 53);
    }

    void readOnlyMedium()
    {
        ScratchMount tmp(ScratchMount::Tmpfs, QStringLiteral("size=256k"));
        if (!tmp.available())
            QSKIP(qPrintable(tmp.skipReason()));
        PosixFileSystem fs;
        const QString a = tmp.path() + QStringLiteral("a.txt");
        QCOMPARE(fs.createFile(a, "x"), 0);
        QVERIFY(tmp.remountReadOnly());
        QCOMPARE(fs.rename(a, tmp.path() + QStringLiteral("b.txt")), 5);
        QCOMPARE(fs.writeAtStart(a, "y"), 75);
        QCOMPARE(fs.createFile(tmp.path() + QStringLiteral("c.txt"), "x"), 75);
    }

    void fullDisk()
    {
        ScratchMount tmp(ScratchMount::Tmpfs, QStringLiteral("size=64k"));
        if (!tmp.available())
            QSKIP(qPrintable(tmp.skipReason()));
        PosixFileSystem fs;
        QCOMPARE(fs.createFile(tmp.path() + QStringLiteral("big"), QByteArray(256 * 1024, 'x')),
                 61);
        int error = 0;
        auto device = fs.openForWriting(tmp.path() + QStringLiteral("more"), error);
        QVERIFY(device);
        QCOMPARE(device->write(QByteArray(256 * 1024, 'y')), qint64(-1));
        QCOMPARE(device->errorCode(), 61);
    }
};

QTEST_GUILESS_MAIN(TestPosixFileSystem)
#include "TestPosixFileSystem.moc"
