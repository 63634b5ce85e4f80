// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Clipboard.h"

#include <QStringList>

// The clipboard in memory, with a log of what was done to it ("clear",
// "set").
class MemoryClipboard : public Clipboard
{
public:
    void clear() override
    {
        content.clear();
        log << QStringLiteral("clear");
    }
    void setText(const QString& text) override
    {
        content = text;
        log << QStringLiteral("set");
    }
    QString text() const override { return content; }

    QString content;
    QStringList log;
};
