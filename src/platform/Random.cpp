// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Random.h"

#include <QRandomGenerator>

#include <random>

namespace
{
std::mt19937_64& generator()
{
    static std::mt19937_64 engine(QRandomGenerator::system()->generate64());
    return engine;
}
} // namespace

double Random::fraction()
{
    // 53 random bits give every double in [0, 1) that a uniform draw can hit.
    return double(generator()() >> 11) * (1.0 / 9007199254740992.0);
}

void Random::seed(quint64 value)
{
    generator().seed(value);
}
