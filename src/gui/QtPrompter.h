// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Prompter.h"

class QWidget;

// The prompt interface with Qt's dialogs: message boxes titled "Quillon"
// with OK, the failure box with OK (try again), Skip and Stop, the Yes/No
// question, the input box, the busy (wait) pointer and
// QCoreApplication::processEvents().
class QtPrompter : public Prompter
{
public:
    void setParent(QWidget* parent) { m_parent = parent; }

    void message(const QString& text) override;
    FailureAnswer failure(const QString& text) override;
    bool confirm(const QString& question) override;
    std::optional<QString> input(const QString& prompt, const QString& title,
                                 const QString& defaultText) override;
    void setBusy(bool busy) override;
    void processEvents() override;

private:
    QWidget* m_parent = nullptr;
    int m_busyDepth = 0;
};
