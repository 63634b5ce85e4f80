#pragma once

#include <QtGlobal>

// One process-wide pseudo-random generator for every random choice of the
// program (random names, the sort's pivots). The sort seeds it from the
// seconds since midnight; tests seed it to get repeatable runs.
class Random
{
public:
    static double fraction(); // uniform in [0, 1)
    static void seed(quint64 value);
    static void seedFromTimeOfDay();
};
