// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScreenCheck.h"

#include "platform/Prompter.h"

bool ScreenCheck::passes(int widthPixels, int heightPixels, Prompter& prompter)
{
    if (widthPixels >= 1024 && heightPixels >= 768)
        return true;
    prompter.message(QStringLiteral("Screen size must be 1024x768 or Greater.."));
    return false;
}
