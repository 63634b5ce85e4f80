// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QIODevice>
#include <QStringView>

#include <cstring>

// Collects small writes and hands them to a device in blocks, so that a
// listing of a million rows costs a few hundred write calls rather than
// millions, and appending a field costs a copy. After the first failed write
// nothing more is written, and error() tells the program's file error code
// for it (a full disk is 61).
class OutputBuffer
{
public:
    explicit OutputBuffer(QIODevice& device, qsizetype blockSize = 1 << 16);
    ~OutputBuffer();
    OutputBuffer(const OutputBuffer&) = delete;
    OutputBuffer& operator=(const OutputBuffer&) = delete;

    void append(QByteArrayView bytes)
    {
        if (m_used + bytes.size() > m_block.size()) {
            appendLarge(bytes);
            return;
        }
        std::memcpy(m_block.data() + m_used, bytes.data(), size_t(bytes.size()));
        m_used += bytes.size();
    }
    void append(char byte)
    {
        if (m_used == m_block.size())
            flush();
        m_block.data()[m_used++] = byte;
    }
    void appendNumber(qint64 value);
    // Appends the text when it is all ASCII and returns true; otherwise
    // appends nothing and returns false.
    bool appendAscii(QStringView text);
    // Writes what is pending; false once a write has failed.
    bool flush();
    int error() const { return m_error; }

private:
    void appendLarge(QByteArrayView bytes);
    void fail();

    QIODevice& m_device;
    QByteArray m_block;
    qsizetype m_used = 0;
    int m_error = 0;
};
