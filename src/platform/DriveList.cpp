// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "DriveList.h"

#include "FileSystem.h"

#include <QMap>
#include <QSet>
#include <QStorageInfo>

namespace
{

const QString Root = QStringLiteral("/");

bool isUnder(const QString& path, const QString& folder)
{
    return path == folder || path.startsWith(folder + QLatin1Char('/'));
}

// File systems that hold no user files: kernel interfaces, container layers,
// snap images, automount stubs.
bool isPseudoFileSystem(const QString& type)
{
    static const QSet<QString> pseudo = {
        QStringLiteral("proc"),
        QStringLiteral("sysfs"),
        QStringLiteral("cgroup"),
        QStringLiteral("cgroup2"),
        QStringLiteral("devpts"),
        QStringLiteral("devtmpfs"),
        QStringLiteral("mqueue"),
        QStringLiteral("debugfs"),
        QStringLiteral("tracefs"),
        QStringLiteral("securityfs"),
        QStringLiteral("pstore"),
        QStringLiteral("bpf"),
        QStringLiteral("configfs"),
        QStringLiteral("fusectl"),
        QStringLiteral("hugetlbfs"),
        QStringLiteral("autofs"),
        QStringLiteral("binfmt_misc"),
        QStringLiteral("efivarfs"),
        QStringLiteral("nsfs"),
        QStringLiteral("rpc_pipefs"),
        QStringLiteral("selinuxfs"),
        QStringLiteral("overlay"),
        QStringLiteral("squashfs"),
        QStringLiteral("none"),
        QStringLiteral("fuse.gvfsd-fuse"),
        QStringLiteral("fuse.portal"),
    };
    return pseudo.contains(type);
}

// Places where the system keeps its own mounts. Removable media that the
// desktop mounts under /run/media stay.
bool isSystemPlace(const QString& mountPoint)
{
    static const QStringList places = {
        QStringLiteral("/proc"),     QStringLiteral("/sys"),  QStringLiteral("/dev"),
        QStringLiteral("/boot"),     QStringLiteral("/snap"), QStringLiteral("/var/lib"),
        QStringLiteral("/var/snap"), QStringLiteral("/etc"),  QStringLiteral("/usr"),
    };
    for (const QString& place : places) {
        if (isUnder(mountPoint, place))
            return true;
    }
    return isUnder(mountPoint, QStringLiteral("/run")) &&
           !isUnder(mountPoint, QStringLiteral("/run/media"));
}

bool isRamFileSystem(const QString& type)
{
    return type == QLatin1String("tmpfs") || type == QLatin1String("ramfs");
}

// A RAM disk counts when the user would put files there: /tmp, a mount the
// desktop made under /media or /run/media, or one made by hand right under
// /mnt. Tools mount many small tmpfs elsewhere; they are not drives.
bool isUserRamDisk(const QString& mountPoint)
{
    if (mountPoint == QLatin1String("/tmp") || isUnder(mountPoint, QStringLiteral("/media")) ||
        isUnder(mountPoint, QStringLiteral("/run/media")))
        return true;
    return mountPoint.startsWith(QLatin1String("/mnt/")) && mountPoint.count(QLatin1Char('/')) == 2;
}

bool isNetworkFileSystem(const QString& type)
{
    static const QSet<QString> network = {
        QStringLiteral("nfs"),  QStringLiteral("nfs4"),  QStringLiteral("cifs"),
        QStringLiteral("smb3"), QStringLiteral("smbfs"), QStringLiteral("sshfs"),
        QStringLiteral("afs"),  QStringLiteral("9p"),    QStringLiteral("davfs"),
    };
    return network.contains(type) || type.startsWith(QLatin1String("fuse."));
}

} // namespace

bool DriveList::caresAbout(const Volume& volume)
{
    if (volume.mountPoint == Root)
        return true;
    if (volume.mountPoint.isEmpty() || isPseudoFileSystem(volume.fileSystem) ||
        isSystemPlace(volume.mountPoint))
        return false;
    if (isRamFileSystem(volume.fileSystem))
        return isUserRamDisk(volume.mountPoint);
    return true;
}

DriveList::Type DriveList::typeOf(const Volume& volume)
{
    const QString fs = volume.fileSystem.toLower();
    if (!volume.reachable)
        return NoRootFolder;
    if (fs == QLatin1String("iso9660") || fs == QLatin1String("udf"))
        return CdRom;
    if (isNetworkFileSystem(fs))
        return Network;
    if (isRamFileSystem(fs))
        return RamDisk;
    if (isUnder(volume.mountPoint, QStringLiteral("/media")) ||
        isUnder(volume.mountPoint, QStringLiteral("/run/media")))
        return Removable;
    return Fixed;
}

int DriveList::codeOf(const Volume& volume)
{
    // The floppy keeps its own icon whatever the system says it is.
    if (volume.device.startsWith(QLatin1String("/dev/fd")))
        return FloppyCode;
    return 10 + typeOf(volume);
}

QString DriveList::textOf(const Volume& volume)
{
    if (!volume.ready)
        return volume.mountPoint;
    return volume.mountPoint + QStringLiteral(" <") + volume.label.trimmed() + QLatin1Char('>');
}

QList<DriveList::Drive> DriveList::drives(const QList<Volume>& volumes)
{
    // Keyed by mount point: later mounts hide earlier ones, and the map
    // orders the rest by path.
    QMap<QString, Volume> byMountPoint;
    for (const Volume& v : volumes) {
        if (caresAbout(v))
            byMountPoint.insert(v.mountPoint, v);
    }
    Volume root = byMountPoint.take(Root);
    root.mountPoint = Root;
    QList<Drive> result;
    result.append({Root, textOf(root), codeOf(root)});
    for (const Volume& v : std::as_const(byMountPoint))
        result.append({v.mountPoint, textOf(v), codeOf(v)});
    return result;
}

QList<DriveList::Volume> DriveList::systemVolumes(FileSystem& fs)
{
    QList<Volume> result;
    for (const QStorageInfo& info : QStorageInfo::mountedVolumes()) {
        Volume v;
        v.mountPoint = info.rootPath();
        v.fileSystem = QString::fromUtf8(info.fileSystemType());
        v.device = QString::fromUtf8(info.device());
        v.label = info.name();
        v.ready = info.isValid() && info.isReady();
        FileSystem::Entry entry;
        if (fs.stat(v.mountPoint, entry) == 0 && !entry.isFolder)
            continue; // a single file bound into place (containers do this)
        v.reachable = entry.statOk;
        result.append(v);
    }
    return result;
}
