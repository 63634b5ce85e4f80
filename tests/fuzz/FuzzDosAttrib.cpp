// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The value of user.DOSATTRIB, as a Samba share or another program writes
// it. What was read is written again as version 5 and must read back the
// same; an NT time read back through Unix seconds keeps its value.

#include "FuzzInput.h"

#include "platform/DosAttrib.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const FuzzInput in(data, size);
    const DosAttrib read = DosAttrib::decode(in.bytes());
    if (!read.present)
        return 0;
    const DosAttrib again = DosAttrib::decode(read.encode());
    FUZZ_CHECK(again.present);
    FUZZ_CHECK(again.attributesValid == read.attributesValid);
    FUZZ_CHECK(!read.attributesValid || again.attributes == read.attributes);
    FUZZ_CHECK(again.createTimeValid == read.createTimeValid);
    FUZZ_CHECK(!read.createTimeValid || again.createTime == read.createTime);
    if (read.createTimeValid) {
        qint64 seconds = 0;
        qint32 nanoseconds = 0;
        DosAttrib::unixFromNtTime(read.createTime, seconds, nanoseconds);
        FUZZ_CHECK(nanoseconds >= 0 && nanoseconds < 1000000000);
        FUZZ_CHECK(DosAttrib::ntTimeFromUnix(seconds, nanoseconds) == read.createTime);
    }
    return 0;
}
