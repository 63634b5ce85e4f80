// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Clipboard.h"

// The system clipboard through QGuiApplication::clipboard().
class QtClipboard : public Clipboard
{
public:
    void clear() override;
    void setText(const QString& text) override;
    QString text() const override;
};
