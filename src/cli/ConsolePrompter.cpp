// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConsolePrompter.h"

#include "CliOutput.h"

#include <cstdio>
#include <unistd.h>

void ConsolePrompter::message(const QString& text)
{
    ++m_messages;
    CliOutput::err(text);
}

Prompter::FailureAnswer ConsolePrompter::failure(const QString& text)
{
    message(text);
    if (m_failureAnswer == FailureAnswer::Retry)
        ::usleep(RetryPauseMs * 1000);
    if (m_failureAnswer)
        return *m_failureAnswer;
    if (!isatty(STDIN_FILENO))
        return FailureAnswer::Stop;
    CliOutput::err(QStringLiteral("[r]etry, [s]kip or s[t]op? "));
    char line[16] = {};
    if (!fgets(line, sizeof line, stdin))
        return FailureAnswer::Stop;
    switch (line[0]) {
    case 'r':
        return FailureAnswer::Retry;
    case 's':
        return FailureAnswer::Skip;
    default:
        return FailureAnswer::Stop;
    }
}

bool ConsolePrompter::confirm(const QString& question)
{
    if (m_yes)
        return true;
    message(question + QStringLiteral(" Nothing was done: add --yes to go ahead."));
    m_declined = true;
    return false;
}

int ConsolePrompter::retryLimit() const
{
    return m_failureAnswer == FailureAnswer::Retry ? RetryLimit : 0;
}

std::optional<QString> ConsolePrompter::input(const QString&, const QString&, const QString&)
{
    return m_input;
}
