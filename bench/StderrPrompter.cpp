// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "StderrPrompter.h"

#include <QCoreApplication>

#include <cstdio>

void StderrPrompter::message(const QString& text)
{
    fprintf(stderr, "%s\n", qPrintable(text));
}

Prompter::FailureAnswer StderrPrompter::failure(const QString& text)
{
    message(text);
    return FailureAnswer::Stop;
}

std::optional<QString> StderrPrompter::input(const QString&, const QString&, const QString&)
{
    return std::nullopt;
}

void StderrPrompter::processEvents()
{
    QCoreApplication::processEvents();
}
