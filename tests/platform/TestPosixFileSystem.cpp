// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DosAttrib.h"
#include "platform/DriveList.h"
#include "platform/FileErrors.h"
#include "platform/FileName.h"
#include "platform/FileNameCodec.h"
#include "platform/PosixFileSystem.h"

#include "ScratchMount.h"
#include "TempFolder.h"

#include <QTest>

#include <sys/stat.h>
#include <sys/xattr.h>

using Volume = DriveList::Volume;

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

QByteArray hex(const char* text)
{
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

// 2020-01-02 03:04:05 UTC in NT time.
constexpr quint64 Jan2020 = 0x01d5c1194ac40080ULL;

QString nonUtf8Name()
{
    return FileNameCodec::decode(QByteArray("caf\xe9-\xff.txt"));
}

} // namespace

// The file services on this system, the Samba attribute record
// (user.DOSATTRIB) that holds the attributes and creation times, and the
// mounts the browser lists as drives.
class TestPosixFileSystem : public QObject
{
    Q_OBJECT
private slots:
    void attributeRecords_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("present");
        QTest::addColumn<quint32>("attributes");
        QTest::addColumn<quint64>("createTime");

        QTest::newRow("v5")
            << hex("00 00 05 00 05 00 00 00 11 00 00 00 22 00 00 00 80 00 c4 4a 19 c1 d5 01")
            << true << 0x22u << Jan2020;
        QTest::newRow("v5 create time not valid")
            << hex("00 00 05 00 05 00 00 00 01 00 00 00 02 00 00 00 80 00 c4 4a 19 c1 d5 01")
            << true << 0x02u << quint64(0);
        QTest::newRow("v4") << hex("00 00 04 00 04 00 00 00 11 00 00 00 04 00 00 00"
                                   "ff ff ff ff ff ff ff ff 80 00 c4 4a 19 c1 d5 01")
                            << true << 0x04u << Jan2020;
        // "0x22" NUL, pad to 6, version 3, level 3, pad to 12, valid, attrib, ea_size,
        // size, alloc_size, create, change.
        QTest::newRow("v3") << hex("30 78 32 32 00 00 03 00 03 00 00 00 11 00 00 00 22 00 00 00"
                                   "00 00 00 00 0a 00 00 00 00 00 00 00 00 10 00 00 00 00 00 00"
                                   "80 00 c4 4a 19 c1 d5 01 00 00 00 00 00 00 00 00")
                            << true << 0x22u << Jan2020;
        // "0x1" NUL, version 1, level 1, attrib, ea_size, size, alloc, create, change.
        QTest::newRow("v1") << hex("30 78 31 00 01 00 01 00 01 00 00 00 00 00 00 00"
                                   "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"
                                   "80 00 c4 4a 19 c1 d5 01 00 00 00 00 00 00 00 00")
                            << true << 0x01u << Jan2020;
        QTest::newRow("v1 zero create time")
            << hex("30 78 31 00 01 00 01 00 01 00 00 00 00 00 00 00"
                   "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"
                   "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00")
            << true << 0x01u << quint64(0);
        QTest::newRow("bare hex text") << QByteArray("0x26") << true << 0x26u << quint64(0);
        QTest::newRow("bare hex text with NUL")
            << QByteArray("0x2", 4) << true << 0x2u << quint64(0);
        QTest::newRow("unknown version")
            << hex("00 00 07 00 07 00 00 00 11 00 00 00 22 00 00 00") << false << 0u << quint64(0);
        QTest::newRow("truncated v5")
            << hex("00 00 05 00 05 00 00 00 11 00 00 00 22") << false << 0u << quint64(0);
        QTest::newRow("garbage") << QByteArray("hello") << false << 0u << quint64(0);
        QTest::newRow("empty") << QByteArray() << false << 0u << quint64(0);
    }

    void attributeRecords()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, present);
        QFETCH(quint32, attributes);
        QFETCH(quint64, createTime);
        const DosAttrib a = DosAttrib::decode(bytes);
        QCOMPARE(a.present, present);
        QCOMPARE(a.attributes, attributes);
        QCOMPARE(a.createTime, createTime);
        QCOMPARE(a.createTimeValid, createTime != 0);
    }

    void convertsNtTime()
    {
        qint64 s;
        qint32 ns;
        DosAttrib::unixFromNtTime(DosAttrib::ntTimeFromUnix(1577934245, 123456700), s, ns);
        QCOMPARE(s, qint64(1577934245));
        QCOMPARE(ns, 123456700);
    }

    // Where a name's extension starts: at its last dot, unless that dot is
    // one of the dots the name starts with.
    void fileNameParts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("stem");
        QTest::addColumn<QString>("extension");
        QTest::newRow("plain") << "a.txt"
                               << "a"
                               << ".txt";
        QTest::newRow("two dots") << "a.tar.gz"
                                  << "a.tar"
                                  << ".gz";
        QTest::newRow("none") << "README"
                              << "README"
                              << "";
        QTest::newRow("trailing dot") << "a."
                                      << "a"
                                      << ".";
        QTest::newRow("dot-file") << ".bashrc"
                                  << ".bashrc"
                                  << "";
        QTest::newRow("dot-file with ext") << ".config.json"
                                           << ".config"
                                           << ".json";
        QTest::newRow("two leading dots") << "..foo"
                                          << "..foo"
                                          << "";
        QTest::newRow("dot alone") << "."
                                   << "."
                                   << "";
        QTest::newRow("dot-file in a path") << "/home/a.b/.profile"
                                            << "/home/a.b/.profile"
                                            << "";
        QTest::newRow("folder dot") << "/home/a.b/file"
                                    << "/home/a.b/file"
                                    << "";
        QTest::newRow("path") << "/home/a.b/.x.tar.gz"
                              << "/home/a.b/.x.tar"
                              << ".gz";
    }

    void fileNameParts()
    {
        QFETCH(QString, name);
        QTEST(FileName::stem(name).toString(), "stem");
        QTEST(FileName::extension(name).toString(), "extension");
    }

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
        // A read-only file takes a creation time and new attributes from its
        // owner too, and keeps its mode exactly.
        QCOMPARE(fs.setAttributes(path, FileSystem::ReadOnly | FileSystem::Hidden), 0);
        const mode_t readOnly = modeOf(path);
        QCOMPARE(fs.setCreationTime(path, {1577934245, 0}), 0);
        QCOMPARE(modeOf(path), readOnly);
        QCOMPARE(DosAttrib::decode(storedXattr(path)).attributes, 3u);
        QCOMPARE(fs.setAttributes(path, FileSystem::ReadOnly | FileSystem::System), 0);
        QCOMPARE(DosAttrib::decode(storedXattr(path)).attributes, 5u);
        QCOMPARE(modeOf(path), readOnly);
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

    void isVisibleFile_data()
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

    void isVisibleFile()
    {
        QFETCH(QString, name);
        QFETCH(int, attributes);
        TempFolder dir;
        QVERIFY(dir.write(name));
        PosixFileSystem fs;
        QCOMPARE(fs.setAttributes(dir.file(name), attributes), 0);
        QTEST(fs.isVisibleFile(dir.file(name)), "found");
        QVERIFY(!fs.isVisibleFile(dir.path()));
        QVERIFY(!fs.isVisibleFile(dir.file(QStringLiteral("missing"))));
    }

    // A rename never replaces what is at the target and leaves both in place.
    void renameNeverReplaces_data()
    {
        QTest::addColumn<QString>("target"); // "/" at the end: a folder
        QTest::addColumn<int>("targetAttributes");
        QTest::addColumn<int>("code");
        QTest::newRow("existing file") << "b.txt" << 0 << 58;
        QTest::newRow("hidden file") << "b.txt" << 2 << 58;
        QTest::newRow("dot file") << ".b" << 0 << 58;
        QTest::newRow("other case on a case-sensitive disk") << "A.TXT" << 0 << 58;
        QTest::newRow("folder") << "sub/" << 0 << 58;
        QTest::newRow("name too long") << QString(256, QLatin1Char('x')) << -1 << 75;
    }

    void renameNeverReplaces()
    {
        QFETCH(QString, target);
        QFETCH(int, targetAttributes);
        TempFolder dir;
        QVERIFY(dir.write(QStringLiteral("a.txt"), "source"));
        PosixFileSystem fs;
        if (target.endsWith(QLatin1Char('/')))
            QVERIFY(QDir(dir.path()).mkdir(target.chopped(1)));
        else if (targetAttributes >= 0)
            QVERIFY(dir.write(target, "target") &&
                    fs.setAttributes(dir.file(target), targetAttributes) == 0);
        QTEST(fs.rename(dir.file(QStringLiteral("a.txt")), dir.file(target)), "code");
        QCOMPARE(dir.read(QStringLiteral("a.txt")), QByteArray("source"));
        if (targetAttributes >= 0 && !target.endsWith(QLatin1Char('/')))
            QCOMPARE(dir.read(target), QByteArray("target"));
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
        QCOMPARE(fs.setAttributes(a, 0), 75); // what a shred of the file meets first
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

    // Which mounts count as drives, their kind codes and texts, and their order.
    void oneVolume_data()
    {
        // "mount point|file system|device|label|ready|reachable", the kind code (0: not
        // listed) and the text.
        QTest::addColumn<QString>("volume");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("text");

        QTest::newRow("root") << "/|ext4|/dev/sda1||1|1" << 13 << "/ <>";
        QTest::newRow("usb stick")
            << "/media/usb|vfat|/dev/sdb1| STICK |1|1" << 12 << "/media/usb <STICK>";
        QTest::newRow("cd") << "/media/cdrom|iso9660|/dev/sr0|DVD|1|1" << 15
                            << "/media/cdrom <DVD>";
        QTest::newRow("samba") << "/mnt/share|cifs|//server/share||1|1" << 14 << "/mnt/share <>";
        QTest::newRow("sshfs") << "/home/ann/r|fuse.sshfs|ann@host:||1|1" << 14 << "/home/ann/r <>";
        QTest::newRow("tmp in ram") << "/tmp|tmpfs|tmpfs||1|1" << 16 << "/tmp <>";
        QTest::newRow("floppy") << "/media/fd|vfat|/dev/fd0|A|1|1" << 100 << "/media/fd <A>";
        QTest::newRow("drive not ready")
            << "/media/gone|ext4|/dev/sde1|OLD|0|1" << 12 << "/media/gone";
        QTest::newRow("unreachable") << "/srv/stale|nfs4|srv:/x||1|0" << 11 << "/srv/stale <>";
        QTest::newRow("tool tmpfs") << "/mnt/tools/env|tmpfs|tmpfs||1|1" << 0 << "";
        QTest::newRow("proc") << "/proc|proc|proc||1|1" << 0 << "";
        QTest::newRow("user runtime") << "/run/user/1000|tmpfs|tmpfs||1|1" << 0 << "";
        QTest::newRow("efi partition") << "/boot/efi|vfat|/dev/sda2||1|1" << 0 << "";
        QTest::newRow("container file") << "/etc/hosts|ext4|/dev/vda||1|1" << 0 << "";
    }

    void oneVolume()
    {
        QFETCH(QString, volume);
        QFETCH(int, code);
        QFETCH(QString, text);

        const QStringList f = volume.split(QLatin1Char('|'));
        const Volume v{f[0], f[1], f[2], f[3], f[4] == "1", f[5] == "1"};
        const QList<DriveList::Drive> drives = DriveList::drives({v});
        QCOMPARE(drives[0].root, QStringLiteral("/")); // the root is always there
        QCOMPARE(drives.size(), code == 0 || f[0] == "/" ? 1 : 2);
        if (code != 0) {
            QCOMPARE(drives.last().root, f[0]);
            QCOMPARE(drives.last().code, code);
            QCOMPARE(drives.last().text, text);
        }
    }

    void listOrder()
    {
        const QList<Volume> volumes = {
            {"/proc", "proc", "proc", {}, true, true},
            {"/media/usb", "vfat", "/dev/sdb1", "FIRST", true, true},
            {"/home", "ext4", "/dev/sda3", {}, true, true},
            {"/media/usb", "ext4", "/dev/sdc1", "SECOND", true, true}, // mounted over the first
            {"/", "ext4", "/dev/sda1", "SYSTEM", true, true},
            {"/data", "xfs", "/dev/sdd1", {}, false, true},
        };
        QStringList texts;
        for (const DriveList::Drive& d : DriveList::drives(volumes))
            texts << d.text;
        QCOMPARE(texts, QStringList({"/ <SYSTEM>", "/data", "/home <>", "/media/usb <SECOND>"}));
    }
};

QTEST_GUILESS_MAIN(TestPosixFileSystem)
#include "TestPosixFileSystem.moc"
