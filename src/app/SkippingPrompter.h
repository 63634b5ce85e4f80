// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Prompter.h"

// The dry run's answers: a failure skips the file, nothing is shown.
class SkippingPrompter : public Prompter
{
public:
    void message(const QString&) override;
    FailureAnswer failure(const QString&) override;
    std::optional<QString> input(const QString&, const QString&, const QString&) override;
    void setBusy(bool) override;
    void processEvents() override;
};
