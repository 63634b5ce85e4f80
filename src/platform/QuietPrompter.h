// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Prompter.h"

// A prompter with nobody in front of it, for work done out of sight (a dry
// run, names made on a worker thread): it shows nothing, gives the answer it
// was made with to every failure, and cancels every input box.
class QuietPrompter : public Prompter
{
public:
    explicit QuietPrompter(FailureAnswer answer) : m_answer(answer) {}

    void message(const QString&) override {}
    FailureAnswer failure(const QString&) override { return m_answer; }
    std::optional<QString> input(const QString&, const QString&, const QString&) override
    {
        return std::nullopt;
    }
    void setBusy(bool) override {}
    void processEvents() override {}

private:
    FailureAnswer m_answer;
};
