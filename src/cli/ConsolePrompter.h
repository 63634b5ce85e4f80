// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Prompter.h"

// The prompt interface of quillon-cli: messages go to standard error; a
// persisting failure is answered by --on-failure, or asked at the terminal;
// a question before files are deleted or overwritten is answered Yes by
// --yes alone, never at the terminal (a script that forgot --yes stops
// rather than waits).
class ConsolePrompter : public Prompter
{
public:
    void message(const QString& text) override;
    // --on-failure retry waits RetryPauseMs before each retry, and the pass
    // stops after RetryLimit retries of one step.
    FailureAnswer failure(const QString& text) override;
    // Without --yes: the question, "Nothing was done: add --yes to go ahead",
    // and No.
    bool confirm(const QString& question) override;
    int retryLimit() const override;
    static constexpr int RetryLimit = 5;
    static constexpr int RetryPauseMs = 200;
    std::optional<QString> input(const QString& prompt, const QString& title,
                                 const QString& defaultText) override;
    void setBusy(bool) override {}
    void processEvents() override {}

    int messageCount() const { return m_messages; }
    void setFailureAnswer(std::optional<FailureAnswer> answer) { m_failureAnswer = answer; }
    void setConfirmAnswer(bool yes) { m_yes = yes; }
    bool declined() const { return m_declined; } // a question was answered No
    // The answer the next input box gets (--search-name / --search-content).
    void setInputAnswer(const QString& answer) { m_input = answer; }

private:
    int m_messages = 0;
    bool m_yes = false;
    bool m_declined = false;
    std::optional<FailureAnswer> m_failureAnswer;
    std::optional<QString> m_input;
};
