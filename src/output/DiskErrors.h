// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/FileSystem.h"
#include "platform/Prompter.h"

#include <QString>

// The messages for the program's file error codes, and the error step of the
// listing export: every open file is closed first, so the next export can
// open its file again.
class DiskErrors
{
public:
    static QString text(int code);
    // Closes all open files and shows the message.
    static void show(int code, Prompter& prompter, FileSystem& fs);
};
