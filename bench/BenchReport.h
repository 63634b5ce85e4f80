// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstdio>
#include <sys/resource.h>

// One line per measurement for bench/run to read: "<seconds> <peak KiB> <detail>".
namespace BenchReport
{

inline long peakKiB()
{
    struct rusage ru;
    getrusage(RUSAGE_SELF, &ru);
    return ru.ru_maxrss;
}

inline void line(double seconds, const QString& detail)
{
    printf("%.4f %ld %s\n", seconds, peakKiB(), qPrintable(detail));
    fflush(stdout);
}

} // namespace BenchReport
