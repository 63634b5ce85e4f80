// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

class Prompter;

// The boundary of every slot that runs an operation: Qt cannot carry an
// exception out of a slot (it would end the program), so what an operation
// throws is caught here and said in the program's own words. Memory that
// runs out (a list near its 1,000,001 rows) says "Out of Memmory"; a failed
// system call says the message of its file error code; anything else says
// the message of a failed read or write, which is what an operation of this
// program that throws was doing.
class SlotGuard
{
public:
    // Runs work; returns false when it threw (the message has been shown).
    static bool run(Prompter& prompter, const std::function<void()>& work);
};
