// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "OutputBuffer.h"

#include "platform/FileErrors.h"
#include "platform/FileSystem.h"

#include <charconv>

OutputBuffer::OutputBuffer(QIODevice& device, qsizetype blockSize)
    : m_device(device), m_block(blockSize, Qt::Uninitialized)
{
}

OutputBuffer::~OutputBuffer()
{
    flush();
}

void OutputBuffer::appendLarge(QByteArrayView bytes)
{
    flush();
    if (bytes.size() <= m_block.size()) {
        append(bytes);
        return;
    }
    if (!m_error && m_device.write(bytes.data(), bytes.size()) != bytes.size())
        fail();
}

void OutputBuffer::appendNumber(qint64 value)
{
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    append(QByteArrayView(digits, end - digits));
}

bool OutputBuffer::appendAscii(QStringView text)
{
    const qsizetype n = text.size();
    const char16_t* s = text.utf16();
    for (qsizetype i = 0; i < n; ++i) {
        if (s[i] >= 0x80)
            return false;
    }
    if (m_used + n > m_block.size())
        flush();
    if (m_used + n > m_block.size()) {
        append(text.toLatin1());
        return true;
    }
    char* out = m_block.data() + m_used;
    for (qsizetype i = 0; i < n; ++i)
        out[i] = char(s[i]);
    m_used += n;
    return true;
}

bool OutputBuffer::flush()
{
    if (m_error || m_used == 0) {
        m_used = 0;
        return !m_error;
    }
    if (!m_device.isOpen()) {
        // Closed under us (every file is closed after a disk error).
        fail();
        return false;
    }
    const qsizetype pending = m_used;
    m_used = 0;
    if (m_device.write(m_block.constData(), pending) != pending) {
        fail();
        return false;
    }
    return true;
}

void OutputBuffer::fail()
{
    // Our own file devices know why; any other device failed at its end.
    const auto* file = dynamic_cast<const FileDevice*>(&m_device);
    m_error = file && file->errorCode() ? file->errorCode() : int(FileErrors::DeviceIO);
    m_used = 0;
}
