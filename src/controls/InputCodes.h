// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// InputCodes: the codes the self-drawn controls report with their mouse and
// key events, as their containers expect them: buttons 1 left, 2 right,
// 4 middle; shift state 1 Shift, 2 Ctrl, 4 Alt; keys as Windows virtual-key
// codes (8 Backspace, 13 Enter, 33 Page Up, 34 Page Down, 38 Up, 40 Down,
// 65..90 the letters, ...).

#include <Qt>

class QKeyEvent;

namespace InputCodes
{
int virtualKeyCode(const QKeyEvent* event);
int shiftCode(Qt::KeyboardModifiers modifiers);
int buttonCode(Qt::MouseButtons buttons);
} // namespace InputCodes
