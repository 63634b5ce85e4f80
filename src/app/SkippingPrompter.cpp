// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SkippingPrompter.h"

void SkippingPrompter::message(const QString&) {}

Prompter::FailureAnswer SkippingPrompter::failure(const QString&)
{
    return FailureAnswer::Skip;
}

std::optional<QString> SkippingPrompter::input(const QString&, const QString&, const QString&)
{
    return std::nullopt;
}

void SkippingPrompter::setBusy(bool) {}

void SkippingPrompter::processEvents() {}
