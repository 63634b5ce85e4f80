// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Opens a file with the program the desktop associates with its type, as a
// double click in a file manager would. Behind an interface so that the core
// decides what may be opened and tests record what would open; the window
// puts QtShellOpen here.
class ShellOpen
{
public:
    virtual ~ShellOpen() = default;

    // Asks the desktop to open the file at path (a full path). Whether that
    // worked is not known or reported: the desktop shows its own message.
    virtual void open(const QString& path) = 0;

    // True when the file has an execute bit for anyone. Such a file is a
    // program or a script and is never handed to the desktop to open.
    static bool hasExecuteBit(const QString& path);
};
