// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScratchMount.h"

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

ScratchMount::~ScratchMount()
{
    if (m_mounted)
        ::umount2(m_dir.path().toUtf8().constData(), MNT_DETACH);
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
