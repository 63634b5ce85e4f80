// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SplitWork.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <thread>
#include <vector>

namespace
{
std::atomic<unsigned> partLimit{0};
} // namespace

void SplitWork::setMaxParts(unsigned parts)
{
    partLimit = parts;
}

unsigned SplitWork::maxParts()
{
    const unsigned set = partLimit;
    return set ? set : std::max(1u, std::thread::hardware_concurrency());
}

std::size_t SplitWork::partsFor(std::size_t count, std::size_t minPerPart)
{
    return std::clamp<std::size_t>(count / std::max<std::size_t>(1, minPerPart), 1, maxParts());
}

void SplitWork::run(std::size_t count, std::size_t minPerPart, const Part& part)
{
    const std::size_t parts = partsFor(count, minPerPart);
    if (parts == 1) {
        if (count)
            part(0, 0, count);
        return;
    }
    // An exception of a part (out of memory) reaches the caller after every
    // thread has ended, as it would on one thread.
    std::vector<std::exception_ptr> failures(parts);
    auto guarded = [&part, &failures](std::size_t k, std::size_t from, std::size_t to) {
        try {
            part(k, from, to);
        } catch (...) {
            failures[k] = std::current_exception();
        }
    };
    std::vector<std::thread> threads;
    threads.reserve(parts - 1);
    const std::size_t step = count / parts;
    for (std::size_t k = 1; k < parts; ++k) {
        const std::size_t from = k * step, to = k + 1 == parts ? count : from + step;
        threads.emplace_back([&guarded, k, from, to] { guarded(k, from, to); });
    }
    guarded(0, 0, step);
    for (std::thread& t : threads)
        t.join();
    for (const std::exception_ptr& failure : failures)
        if (failure)
            std::rethrow_exception(failure);
}
