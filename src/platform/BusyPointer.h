// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Prompter.h"

// Shows the busy (wait) pointer for as long as it lives: every way out of
// the scope, an early return or an exception included, takes the pointer
// back. Scopes nest; the pointer goes when the outermost one ends.
class BusyPointer
{
public:
    explicit BusyPointer(Prompter& prompter) : m_prompter(prompter) { m_prompter.setBusy(true); }
    ~BusyPointer() { m_prompter.setBusy(false); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

private:
    Prompter& m_prompter;
};
