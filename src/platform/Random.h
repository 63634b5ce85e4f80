// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// One process-wide pseudo-random generator for every random choice of the
// program (random names, the sort's pivots). It seeds itself once, at its
// first use, from the system's entropy, so two runs of the program differ;
// seed() makes a run repeatable (quillon-cli --seed, tests).
class Random
{
public:
    static double fraction(); // uniform in [0, 1)
    static void seed(quint64 value);
};
