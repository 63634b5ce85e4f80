// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Prompter.h"

#include <QStringList>

#include <deque>

// The prompt interface for tests: records every message, question, input
// prompt and busy change, and answers questions, input boxes and failures
// from scripted replies.
class PromptRecorder : public Prompter
{
public:
    void message(const QString& text) override
    {
        messages << text;
        if (busyDepth > 0)
            messagesWhileBusy << text;
    }
    FailureAnswer failure(const QString& text) override
    {
        messages << text;
        if (failureAnswers.empty())
            return FailureAnswer::Stop;
        const FailureAnswer a = failureAnswers.front();
        failureAnswers.pop_front();
        return a;
    }
    bool confirm(const QString& question) override
    {
        questions << question;
        return confirmAnswer;
    }
    std::optional<QString> input(const QString& prompt, const QString& title,
                                 const QString& defaultText) override
    {
        prompts << prompt;
        titles << title;
        Q_UNUSED(defaultText);
        if (inputAnswers.empty())
            return std::nullopt;
        const std::optional<QString> a = inputAnswers.front();
        inputAnswers.pop_front();
        return a;
    }
    void setBusy(bool busy) override
    {
        busyChanges << busy;
        busyDepth += busy ? 1 : -1;
    }
    void processEvents() override { ++yields; }

    QStringList messages;
    QStringList questions;
    bool confirmAnswer = true; // the answer to every question
    QStringList prompts;
    QStringList titles;
    QList<bool> busyChanges;
    int busyDepth = 0;
    QStringList messagesWhileBusy; // a message box under the wait pointer
    int yields = 0;
    std::deque<std::optional<QString>> inputAnswers;
    std::deque<FailureAnswer> failureAnswers;
};
