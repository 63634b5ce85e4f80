#include "SplitWork.h"

#include <algorithm>
#include <atomic>
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
    std::vector<std::thread> threads;
    threads.reserve(parts - 1);
    const std::size_t step = count / parts;
    for (std::size_t k = 1; k < parts; ++k) {
        const std::size_t from = k * step, to = k + 1 == parts ? count : from + step;
        threads.emplace_back([&part, k, from, to] { part(k, from, to); });
    }
    part(0, 0, step);
    for (std::thread& t : threads)
        t.join();
}
