// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

class FileSystem;

// The drives the browser lists: the root "/" and the mounted volumes a user
// cares about (USB sticks, CDs, network shares, separate partitions), each
// with its kind and volume label. Pseudo file systems (proc, sysfs, cgroup,
// devpts, ...) and the system's own mounts under /proc, /sys, /dev, /run, /boot
// and the like are left out.
//
// The decisions are pure functions over Volume records, so they are tested
// without touching the machine; systemVolumes() reads the real mounts.
class DriveList
{
public:
    // Drive types, numbered as the browser's kind codes expect (code = 10 +
    // type; 0 is never produced, so no drive is dropped for an unknown type).
    enum Type : int {
        Unknown = 0,
        NoRootFolder = 1, // the mount point cannot be reached
        Removable = 2,
        Fixed = 3,
        Network = 4,
        CdRom = 5,
        RamDisk = 6,
    };
    // A floppy drive, whatever its type, gets this code and the floppy icon.
    static constexpr int FloppyCode = 100;

    // One mounted volume as the system reports it.
    struct Volume {
        QString mountPoint;
        QString fileSystem;    // "ext4", "vfat", "nfs4", "fuse.sshfs", ...
        QString device;        // "/dev/sdb1", "server:/export", ...
        QString label;         // the volume name, empty when it has none
        bool ready = true;     // mounted and readable now
        bool reachable = true; // the mount point is a folder we can enter
    };

    // One browser entry for a drive.
    struct Drive {
        QString root; // the mount point, where a click goes
        QString text; // "ROOT <LABEL>", or the bare root when the volume is not ready
        int code = 0; // 10 + type, or FloppyCode
    };

    // Whether the browser lists the volume at all.
    static bool caresAbout(const Volume& volume);
    static Type typeOf(const Volume& volume);
    static int codeOf(const Volume& volume);
    static QString textOf(const Volume& volume);

    // The drive entries: "/" first (also when the system does not report
    // it), then the volumes a user cares about ordered by mount point. A
    // mount point mounted twice is listed once, as its last (visible) mount.
    static QList<Drive> drives(const QList<Volume>& volumes);

    // The mounted volumes of this machine (QStorageInfo).
    static QList<Volume> systemVolumes(FileSystem& fs);
};
