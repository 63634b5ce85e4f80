#include "platform/DriveList.h"

#include <QTest>

using Volume = DriveList::Volume;

// The drive entries of the browser: which mounts count as drives, their kind
// codes and their texts, and the order of the list.
class TestDriveList : public QObject
{
    Q_OBJECT

private slots:
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

QTEST_GUILESS_MAIN(TestDriveList)
#include "TestDriveList.moc"
