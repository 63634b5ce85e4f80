#include "OutputBuffer.h"

#include "platform/FileErrors.h"
#include "platform/FileSystem.h"

#include <charconv>

OutputBuffer::OutputBuffer(QIODevice& device, qsizetype blockSize)
    : m_device(device), m_blockSize(blockSize)
{
    m_pending.reserve(blockSize + 512);
}

OutputBuffer::~OutputBuffer()
{
    flush();
}

void OutputBuffer::append(QByteArrayView bytes)
{
    if (m_error)
        return;
    m_pending.append(bytes);
    if (m_pending.size() >= m_blockSize)
        flush();
}

void OutputBuffer::append(char byte)
{
    append(QByteArrayView(&byte, 1));
}

void OutputBuffer::appendNumber(qint64 value)
{
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    append(QByteArrayView(digits, end - digits));
}

bool OutputBuffer::flush()
{
    if (m_error)
        return false;
    if (m_pending.isEmpty())
        return true;
    if (!m_device.isOpen()) {
        // Closed under us (every file is closed after a disk error).
        fail();
        return false;
    }
    const qint64 written = m_device.write(m_pending);
    if (written != m_pending.size()) {
        fail();
        return false;
    }
    m_pending.resize(0);
    return true;
}

void OutputBuffer::fail()
{
    // Our own file devices know why; any other device failed at its end.
    const auto* file = dynamic_cast<const FileDevice*>(&m_device);
    m_error = file && file->errorCode() ? file->errorCode() : int(FileErrors::DeviceIO);
    m_pending.clear();
}
