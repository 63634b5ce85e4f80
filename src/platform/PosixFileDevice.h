// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FileSystem.h"

class PosixFileSystem;

// A file opened for writing by PosixFileSystem::openForWriting: writes go
// straight to the descriptor (retried on EINTR); the first failure is kept as
// the program's error code. The file system is told when it closes, so that
// closeAll does not close it twice.
class PosixFileDevice : public FileDevice
{
public:
    PosixFileDevice(PosixFileSystem* owner, int fd);
    ~PosixFileDevice() override;
    int errorCode() const override { return m_error; }
    bool isSequential() const override { return true; }
    void close() override;

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 len) override;

private:
    PosixFileSystem* m_owner;
    int m_fd;
    int m_error = 0;
};
