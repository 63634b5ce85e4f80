// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later

// quillon-cli --regex PATTERN --with TEMPLATE: field 0 is the pattern,
// field 1 the template, the rest a name to apply a valid replace to. A
// refused pair always says why.

#include "FuzzInput.h"

#include "app/RegexReplace.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const FuzzInput in(data, size);
    QString why;
    const std::optional<RegexReplace> replace =
        RegexReplace::create(QString::fromUtf8(in.field(0)), QString::fromUtf8(in.field(1)), why);
    if (!replace) {
        FUZZ_CHECK(!why.isEmpty());
        return 0;
    }
    (void)replace->apply(QString::fromUtf8(in.field(2, true)));
    return 0;
}
