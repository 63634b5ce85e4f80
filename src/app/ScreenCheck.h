// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class Prompter;

// Quillon needs a screen of at least 1024 × 768 pixels. Too small a screen
// gets the message and the program ends without showing its window.
namespace ScreenCheck
{

bool passes(int widthPixels, int heightPixels, Prompter& prompter);

} // namespace ScreenCheck
