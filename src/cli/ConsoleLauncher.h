// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/ProcessLauncher.h"

class Prompter;

// How quillon-cli batch starts programs: each one runs to its end before
// the next file, in the terminal's session, so its output comes in order and
// the batch knows how it ended. A program that ends with a status other
// than 0 is named in a message and the batch goes on with the next file; the
// message makes the run's exit status 1.
class ConsoleLauncher : public ProcessLauncher
{
public:
    explicit ConsoleLauncher(Prompter& prompter) : m_prompter(prompter) {}
    int start(const QStringList& arguments, WindowState state, const QString& folder) override;

private:
    Prompter& m_prompter;
};
