// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QtGlobal>

// The extended attribute "user.DOSATTRIB" in Samba's format, so that a Samba
// share over a folder shows Windows clients the attributes and creation time
// that Quillon writes. We write version 5 and read versions 5, 4, 3 and 1 and
// the bare hex text of old Samba releases.
struct DosAttrib {
    static constexpr const char* Name = "user.DOSATTRIB";

    bool present = false; // the attribute held something we could read
    bool attributesValid = false;
    quint32 attributes = 0; // read-only 0x01, hidden 0x02, system 0x04, archive 0x20
    bool createTimeValid = false;
    quint64 createTime = 0; // NT time: 100 ns units since 1601-01-01 UTC

    static DosAttrib decode(const QByteArray& bytes);
    QByteArray encode() const; // version 5, 24 bytes

    static quint64 ntTimeFromUnix(qint64 seconds, qint32 nanoseconds);
    static void unixFromNtTime(quint64 ntTime, qint64& seconds, qint32& nanoseconds);
};
