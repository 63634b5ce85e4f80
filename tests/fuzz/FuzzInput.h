// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

// The bytes libFuzzer hands a target, cut into the fields the target needs:
// fields are separated by a NUL byte, so a seed stays readable in an editor.
class FuzzInput
{
public:
    FuzzInput(const std::uint8_t* data, std::size_t size)
        : m_bytes(reinterpret_cast<const char*>(data), qsizetype(size))
    {
    }

    const QByteArray& bytes() const { return m_bytes; }

    // Field i of the NUL-separated fields; empty past the last one. The last
    // field asked for may take the rest, NULs included.
    QByteArray field(int i, bool rest = false) const
    {
        qsizetype from = 0;
        for (int k = 0; k < i; ++k) {
            const qsizetype nul = m_bytes.indexOf('\0', from);
            if (nul < 0)
                return {};
            from = nul + 1;
        }
        const qsizetype nul = rest ? -1 : m_bytes.indexOf('\0', from);
        return m_bytes.mid(from, nul < 0 ? -1 : nul - from);
    }

private:
    QByteArray m_bytes;
};

// A broken promise of the code under test: libFuzzer records the input.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition))                                                                          \
            std::abort();                                                                          \
    } while (false)
