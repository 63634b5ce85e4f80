// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <functional>

// Runs one piece of work over the items 0..count-1 on every core: the range
// is cut into as many contiguous parts as there are cores (fewer when a part
// would hold less than minPerPart items), each part runs on its own thread and
// writes only its own slots, and run() returns when all are done. A small
// range runs on the calling thread alone, so a folder of a few files starts
// no thread.
class SplitWork
{
public:
    // Part k (0-based, in the order of the range) gets items from..to-1.
    using Part = std::function<void(std::size_t k, std::size_t from, std::size_t to)>;
    static void run(std::size_t count, std::size_t minPerPart, const Part& part);
    // How many parts run() makes of count items.
    static std::size_t partsFor(std::size_t count, std::size_t minPerPart);

    // How many parts run() may use at most: the number of cores unless set
    // (1 makes every run single-threaded; 0 restores the default). Tests
    // compare the results of both.
    static void setMaxParts(unsigned parts);
    static unsigned maxParts();
};
