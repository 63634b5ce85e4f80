// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PosixFileDevice.h"

#include "FileErrors.h"
#include "PosixFileSystem.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

using FileErrors::Operation;

PosixFileDevice::PosixFileDevice(PosixFileSystem* owner, int fd) : m_owner(owner), m_fd(fd)
{
    QIODevice::open(QIODevice::WriteOnly);
}

PosixFileDevice::~PosixFileDevice()
{
    close();
}

void PosixFileDevice::close()
{
    if (m_fd >= 0) {
        if (::close(m_fd) != 0 && !m_error)
            m_error = FileErrors::fromErrno(errno, Operation::OpenOrWrite);
        m_fd = -1;
        m_owner->forget(this);
    }
    QIODevice::close();
}

qint64 PosixFileDevice::writeData(const char* data, qint64 len)
{
    if (m_fd < 0) {
        m_error = m_error ? m_error : FileErrors::PathAccess;
        return -1;
    }
    qint64 done = 0;
    while (done < len) {
        const ssize_t w = ::write(m_fd, data + done, size_t(len - done));
        if (w < 0) {
            if (errno == EINTR)
                continue;
            m_error = FileErrors::fromErrno(errno, Operation::OpenOrWrite);
            setErrorString(QString::fromLocal8Bit(strerror(errno)));
            return -1;
        }
        done += w;
    }
    return done;
}
