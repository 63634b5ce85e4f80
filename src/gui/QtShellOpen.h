// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/ShellOpen.h"

// The desktop's "open" through QDesktopServices (xdg-open on Linux).
class QtShellOpen : public ShellOpen
{
public:
    void open(const QString& path) override;
};
