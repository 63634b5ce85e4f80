// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

// What the logic needs from the person in front of the program: message boxes
// (OK only, title "Quillon"), the Yes/No question, the input box, the busy
// pointer and "let pending events run". The window answers with Qt dialogs, quillon-cli with the
// terminal, tests with a recorder that returns scripted replies. No logic class
// includes a widget header; this is its only way to the user.
class Prompter
{
public:
    // The answers to a failure that may persist (the rename pass): OK tries the
    // step again, Skip goes on with the next file, Stop ends the pass.
    enum class FailureAnswer { Retry, Skip, Stop };

    virtual ~Prompter() = default;

    virtual void message(const QString& text) = 0;
    virtual FailureAnswer failure(const QString& text) = 0;
    // How often one step may be retried before it counts as stopped: a
    // person answers each time (0, no limit); an answer given in advance
    // must not retry for ever.
    virtual int retryLimit() const { return 0; }
    // A Yes/No question asked before an operation deletes or overwrites
    // files; true for Yes. A prompter with nobody to ask answers No.
    virtual bool confirm(const QString& question)
    {
        (void)question;
        return false;
    }
    // The input box; no value when the person cancels.
    virtual std::optional<QString> input(const QString& prompt, const QString& title,
                                         const QString& defaultText) = 0;
    virtual void setBusy(bool busy) = 0;
    virtual void processEvents() = 0;
};
