// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Prompter.h"

// Prompts for programs that run without a person to answer: messages go to
// standard error, a persisting failure stops, an input box is cancelled.
// The benchmarks use it.
class StderrPrompter : public Prompter
{
public:
    void message(const QString& text) override;
    FailureAnswer failure(const QString& text) override;
    std::optional<QString> input(const QString& prompt, const QString& title,
                                 const QString& defaultText) override;
    void setBusy(bool) override {}
    void processEvents() override;
};
