// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "HugePages.h"

#include <cstdint>

#include <sys/mman.h>

void HugePages::advise(const void* data, std::size_t bytes)
{
    constexpr std::uintptr_t Huge = 2u << 20;
    if (!data || bytes < 2 * Huge)
        return;
    const auto from = (reinterpret_cast<std::uintptr_t>(data) + Huge - 1) & ~(Huge - 1);
    const auto to = (reinterpret_cast<std::uintptr_t>(data) + bytes) & ~(Huge - 1);
    if (to > from) // a refusal (no such pages here) leaves the buffer as it was
        ::madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
}
