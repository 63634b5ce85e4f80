// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "DosAttrib.h"

#include <QtEndian>

namespace
{

constexpr quint32 AttributesValid = 0x01;
constexpr quint32 CreateTimeValid = 0x10;
constexpr qint64 EpochDifference = 11644473600LL; // 1601-01-01 to 1970-01-01 in seconds

// Reads little-endian fields one after another, aligning as Samba's NDR does.
class Reader
{
public:
    explicit Reader(const QByteArray& bytes) : m_bytes(bytes) {}
    bool ok() const { return m_ok; }
    qsizetype offset() const { return m_offset; }
    void align(int n)
    {
        while (m_offset % n)
            ++m_offset;
    }
    void skip(qsizetype n) { m_offset += n; }
    quint16 u16() { return take<quint16>(); }
    quint32 u32() { return take<quint32>(); }
    quint64 u64() { return take<quint64>(); }

private:
    template <typename T> T take()
    {
        if (m_offset + qsizetype(sizeof(T)) > m_bytes.size()) {
            m_ok = false;
            return 0;
        }
        const T v = qFromLittleEndian<T>(m_bytes.constData() + m_offset);
        m_offset += sizeof(T);
        return v;
    }
    const QByteArray& m_bytes;
    qsizetype m_offset = 0;
    bool m_ok = true;
};

bool parseHexText(const QByteArray& text, quint32& value)
{
    if (!text.startsWith("0x") && !text.startsWith("0X"))
        return false;
    bool ok = false;
    value = text.mid(2).toUInt(&ok, 16);
    return ok;
}

} // namespace

DosAttrib DosAttrib::decode(const QByteArray& bytes)
{
    DosAttrib result;
    const qsizetype nul = bytes.indexOf('\0');
    const QByteArray text = bytes.left(nul < 0 ? bytes.size() : nul);

    // Old releases wrote the attributes as a bare hex text.
    if (nul < 0 || nul == bytes.size() - 1) {
        quint32 value;
        if (parseHexText(text, value)) {
            result.present = result.attributesValid = true;
            result.attributes = value;
        }
        return result;
    }

    Reader r(bytes);
    r.skip(nul + 1);
    r.align(2);
    const quint16 version = r.u16();
    const quint16 level = r.u16();
    if (!r.ok() || version != level)
        return result;
    r.align(4);

    quint32 valid = 0;
    switch (version) {
    case 1:
        valid = AttributesValid;
        result.attributes = r.u32();
        r.u32(); // ea_size
        r.u64(); // size
        r.u64(); // alloc_size
        result.createTime = r.u64();
        r.u64(); // change_time
        if (result.createTime)
            valid |= CreateTimeValid;
        break;
    case 3:
        valid = r.u32();
        result.attributes = r.u32();
        r.u32(); // ea_size
        r.u64(); // size
        r.u64(); // alloc_size
        result.createTime = r.u64();
        r.u64(); // change_time
        break;
    case 4:
        valid = r.u32();
        result.attributes = r.u32();
        r.u64(); // itime
        result.createTime = r.u64();
        break;
    case 5:
        valid = r.u32();
        result.attributes = r.u32();
        result.createTime = r.u64();
        break;
    default:
        return result;
    }
    if (!r.ok())
        return DosAttrib();
    result.present = true;
    result.attributesValid = valid & AttributesValid;
    if (!result.attributesValid)
        result.attributes = 0;
    result.createTimeValid = (valid & CreateTimeValid) && result.createTime != 0;
    if (!result.createTimeValid)
        result.createTime = 0;
    return result;
}

QByteArray DosAttrib::encode() const
{
    QByteArray out(24, '\0');
    char* p = out.data();
    qToLittleEndian<quint16>(5, p + 2);
    qToLittleEndian<quint16>(5, p + 4);
    quint32 valid = 0;
    if (attributesValid)
        valid |= AttributesValid;
    if (createTimeValid)
        valid |= CreateTimeValid;
    qToLittleEndian<quint32>(valid, p + 8);
    qToLittleEndian<quint32>(attributesValid ? attributes : 0, p + 12);
    qToLittleEndian<quint64>(createTimeValid ? createTime : 0, p + 16);
    return out;
}

quint64 DosAttrib::ntTimeFromUnix(qint64 seconds, qint32 nanoseconds)
{
    return quint64(seconds + EpochDifference) * 10000000ULL + quint64(nanoseconds / 100);
}

void DosAttrib::unixFromNtTime(quint64 ntTime, qint64& seconds, qint32& nanoseconds)
{
    seconds = qint64(ntTime / 10000000ULL) - EpochDifference;
    nanoseconds = qint32(ntTime % 10000000ULL) * 100;
}
