// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScratchMount.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include <optional>

#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

ScratchMount::ScratchMount(Kind kind, const QString& options)
{
    if (geteuid() != 0) {
        m_reason = QStringLiteral("needs root to mount a scratch file system");
        return;
    }
    if (kind == Exfat || kind == Ntfs) {
        m_mounted = mountDisk(kind);
        return;
    }
    const char* type = kind == Tmpfs ? "tmpfs" : "ramfs";
    const QByteArray data = options.toUtf8();
    if (::mount(type, m_dir.path().toUtf8().constData(), type, 0,
                data.isEmpty() ? nullptr : data.constData()) != 0) {
        m_reason = QStringLiteral("cannot mount %1: %2")
                       .arg(QLatin1String(type), QString::fromLocal8Bit(strerror(errno)));
        return;
    }
    m_mounted = true;
}

namespace
{

// Runs a tool; its first output line, or no value (and why) when it failed.
std::optional<QString> run(const QString& program, const QStringList& arguments, QString& why)
{
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        why = QStringLiteral("%1 failed: %2")
                  .arg(program, p.errorString() + QString::fromLocal8Bit(p.readAllStandardError()));
        return std::nullopt;
    }
    return QString::fromLocal8Bit(p.readAllStandardOutput()).section(QLatin1Char('\n'), 0, 0);
}

} // namespace

bool ScratchMount::mountDisk(Kind kind)
{
    const bool exfat = kind == Exfat;
    const QString format = exfat ? QStringLiteral("mkfs.exfat") : QStringLiteral("mkfs.ntfs");
    const QString mounter = exfat ? QStringLiteral("mount.exfat-fuse") : QStringLiteral("ntfs-3g");
    for (const QString& tool : {format, mounter, QStringLiteral("losetup")})
        if (QStandardPaths::findExecutable(tool).isEmpty() &&
            QStandardPaths::findExecutable(tool,
                                           {QStringLiteral("/sbin"), QStringLiteral("/usr/sbin")})
                .isEmpty()) {
            m_reason = tool + QStringLiteral(" is not installed");
            return false;
        }
    const QString image = m_image.filePath(QStringLiteral("disk.img"));
    QFile file(image);
    if (!file.open(QIODevice::WriteOnly) || !file.resize(16 << 20)) {
        m_reason = QStringLiteral("cannot make the disk image");
        return false;
    }
    file.close();
    const QStringList formatArgs = exfat ? QStringList{image} : QStringList{"-F", "-Q", image};
    std::optional<QString> loop;
    if (!run(format, formatArgs, m_reason) ||
        !(loop = run(QStringLiteral("losetup"), {"-f", "--show", image}, m_reason)))
        return false;
    m_loop = *loop;
    return run(mounter, {m_loop, m_dir.path()}, m_reason).has_value();
}

ScratchMount::~ScratchMount()
{
    if (m_mounted)
        ::umount2(m_dir.path().toUtf8().constData(), m_loop.isEmpty() ? MNT_DETACH : 0);
    if (!m_loop.isEmpty()) {
        QString why;
        run(QStringLiteral("losetup"), {"-d", m_loop}, why);
    }
}

QString ScratchMount::path() const
{
    return m_dir.path() + QLatin1Char('/');
}

bool ScratchMount::remountReadOnly()
{
    return m_mounted && ::mount(nullptr, m_dir.path().toUtf8().constData(), nullptr,
                                MS_REMOUNT | MS_RDONLY, nullptr) == 0;
}
