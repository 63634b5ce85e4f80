#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QIODevice>

// Collects small writes and hands them to a device in blocks, so that a
// listing of a million rows costs a few hundred write calls rather than
// millions. After the first failed write nothing more is written, and error()
// tells the program's file error code for it (a full disk is 61).
class OutputBuffer
{
public:
    explicit OutputBuffer(QIODevice& device, qsizetype blockSize = 1 << 16);
    ~OutputBuffer();
    OutputBuffer(const OutputBuffer&) = delete;
    OutputBuffer& operator=(const OutputBuffer&) = delete;

    void append(QByteArrayView bytes);
    void append(char byte);
    void appendNumber(qint64 value);
    // Writes what is pending; false once a write has failed.
    bool flush();
    int error() const { return m_error; }
    QIODevice& device() { return m_device; }

private:
    void fail();

    QIODevice& m_device;
    QByteArray m_pending;
    qsizetype m_blockSize;
    int m_error = 0;
};
